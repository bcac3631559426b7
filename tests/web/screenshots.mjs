// The README's pictures of the page: each view after a typical use, at a
// desktop width. Usage: node screenshots.mjs PAGE.html OUT_DIR
import { chromium } from "playwright-core";

const [file, out] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run"],
});
const page = await browser.newPage({ viewport: { width: 900, height: 700 } });
const ready = () => page.waitForSelector('#status[data-state="ready"]', { timeout: 60000 });
await page.goto("file://" + file);
await ready();
await page.fill("#target", "0.5");
await page.click("#find");
await ready();
await page.screenshot({ path: `${out}/web-ratios.png` });
await page.click("#tab-threads");
await page.fill("#thread-target", "1.5mm");
await page.setChecked("#thread-all", true);
await page.click("#thread-find");
await page.click('#trains tr[data-fits="false"]');
await page.evaluate(() => { document.querySelector("details").open = false; });
await page.screenshot({ path: `${out}/web-threads.png`, fullPage: true });
await page.click("#tab-chart");
await page.click("#chart-build");
await page.screenshot({ path: `${out}/web-chart.png` });
await browser.close();
