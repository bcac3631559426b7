// Timings of cogwright.html in headless Chromium, from the page's own
// performance marks: navigation start to the first ready table at the default
// limits, Find (from the button's handler to the texts shown, the worker's
// round trip included), and a thread query with its drawing. A measurement, not a test. Usage: node bench.mjs PAGE.html [RUNS]
import { chromium } from "playwright-core";

const [file, runs = "5"] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run"],
});
const median = (xs) => { const s = [...xs].sort((a, b) => a - b); return s[Math.floor(s.length / 2)]; };
const ready = [], finds = [], threads = [];
for (let run = 0; run < Number(runs); ++run) {
  const page = await browser.newPage();
  await page.goto("file://" + file);
  await page.waitForSelector('#status[data-state="ready"]', { timeout: 60000 });
  ready.push(await page.evaluate(() => performance.getEntriesByName("ready")[0].startTime));
  // The button is clicked from the page itself: Playwright's synthetic mouse
  // input waits for the next frame, which is its cost, not the page's.
  for (const target of ["0.12345", "0.5", "1.7", "3.14159", "0.333", "2.5", "0.9", "1.1"]) {
    await page.evaluate((t) => {
      document.querySelector("#target").value = t;
      document.querySelector("#find").click();
    }, target);
    await page.waitForSelector('#status[data-state="ready"]');
  }
  finds.push(...await page.evaluate(() => performance.getEntriesByName("press").map((e) => e.duration)));
  await page.click("#tab-threads");
  for (const target of ["1.25mm", "20tpi", "mod1.5", "0.75mm", "11tpi", "dp16"]) {
    await page.fill("#thread-target", target);
    await page.click("#thread-find");
  }
  threads.push(...await page.evaluate(() => performance.getEntriesByName("thread-query").map((e) => e.duration)));
  await page.close();
}
await browser.close();
const ms = (x) => x.toFixed(1) + " ms";
console.log(`ready from navigation start: median ${ms(median(ready))} (goal < 1000 ms) over ${ready.length} loads`);
console.log(`Find, press to shown:        median ${ms(median(finds))} (goal < 5 ms) over ${finds.length}`);
console.log(`thread query and drawing:    median ${ms(median(threads))} (goal < 20 ms) over ${threads.length}`);
