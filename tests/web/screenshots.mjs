// The README's pictures of the page: each view after a typical use, at a
// desktop width, and the Threads view on a phone (375 px).
// Usage: node screenshots.mjs PAGE.html PROFILES_DIR OUT_DIR
import { readFileSync } from "node:fs";
import { chromium } from "playwright-core";

const [file, profiles, out] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run"],
});
for (const [width, height, suffix] of [[900, 700, ""], [375, 740, "-phone"]]) {
  const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: width < 500 ? 2 : 1 });
  const page = await context.newPage();
  const ready = () => page.waitForSelector('#status[data-state="ready"]', { timeout: 60000 });
  await page.goto("file://" + file);
  await ready();
  await page.fill("#target", "0.5");
  await page.click("#find");
  await ready();
  if (!suffix) await page.screenshot({ path: `${out}/web-ratios.png` });
  await page.click("#tab-threads");
  await page.evaluate(() => { document.querySelector("#lathe-panel").open = true; });
  await page.fill("#profile", readFileSync(`${profiles}/metric-1.5mm.json`, "utf8"));
  await ready();
  await page.evaluate(() => { document.querySelector("#lathe-panel").open = false; });
  await page.fill("#thread-target", "1.5 mm");
  await page.setChecked("#thread-all", true);
  await page.click("#thread-find");
  await ready();
  await page.click('#trains tr[data-fits="false"]');
  await ready();
  // On a phone, what the first screen shows: the target and the answer.
  await page.evaluate(() => window.scrollTo(0, 0));
  await page.screenshot({ path: `${out}/web-threads${suffix}.png`, fullPage: !suffix });
  if (!suffix) {
    await page.click("#tab-threads");
    await page.evaluate(() => { document.querySelector("#lathe-panel").open = true; });
    await page.screenshot({ path: `${out}/web-lathe.png`, fullPage: true });
    await page.click("#tab-chart");
    await page.click("#chart-build");
    await ready();
    await page.screenshot({ path: `${out}/web-chart.png` });
    await page.click("#tab-dividing");
    await page.click("#divide-find");
    await ready();
    await page.screenshot({ path: `${out}/web-dividing.png`, fullPage: true });
    await page.click("#tab-gear");
    await page.click("#gear-make");
    await ready();
    await page.screenshot({ path: `${out}/web-gear.png`, fullPage: true });
  }
  await context.close();
}
await browser.close();
