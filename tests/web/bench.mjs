// Timings of cogwright.html in headless Chromium, from the page's own
// performance marks: navigation start to the first ready table at the
// default limits (and to its worker started, and the table asked for);
// navigation start to the first Find answered when the target is typed and
// Find clicked with the mouse as soon as they are on the page; Find (the
// button's handler to the texts shown, the worker's round trip included); a
// thread query with its drawing; and gear advice over every series, with the
// page's longest task meanwhile. A measurement, not a test.
// Usage: node bench.mjs PAGE.html [RUNS]
import { chromium } from "playwright-core";

const [file, runs = "5"] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run"],
});
const median = (xs) => { const s = [...xs].sort((a, b) => a - b); return s[Math.floor(s.length / 2)]; };
const mark = (page, name) => page.waitForFunction((n) => performance.getEntriesByName(n).length, name, { timeout: 60000 })
  .then(() => page.evaluate((n) => performance.getEntriesByName(n)[0].startTime, name));
const started = [], asked = [], ready = [], answered = [], finds = [], threads = [], advice = [], longest = [];
for (let run = 0; run < Number(runs); ++run) {
  const page = await browser.newPage();  // a context of its own: nothing kept from the last run
  await page.addInitScript(() => {
    window.longTasks = [];
    new PerformanceObserver((l) => window.longTasks.push(...l.getEntries().map((e) => e.duration)))
      .observe({ type: "longtask" });
  });
  await page.goto("file://" + file, { waitUntil: "commit" });
  await page.fill("#target", "0.5");
  await page.click("#find");
  answered.push(await mark(page, "answer"));
  ready.push(await mark(page, "ready"));
  asked.push(await mark(page, "table-asked"));
  started.push(await mark(page, "core-started"));
  await page.waitForSelector('#status[data-state="ready"]', { timeout: 60000 });
  // Clicked from the page itself: Playwright's synthetic mouse input waits
  // for the next frame, which is its cost, not the page's.
  for (const target of ["0.12345", "0.5", "1.7", "3.14159", "0.333", "2.5", "0.9", "1.1"]) {
    await page.evaluate((t) => {
      document.querySelector("#target").value = t;
      document.querySelector("#find").click();
    }, target);
    await page.waitForSelector('#status[data-state="ready"]');
  }
  finds.push(...(await page.evaluate(() => performance.getEntriesByName("press").map((e) => e.duration))).slice(1));
  await page.click("#tab-threads");
  await page.evaluate(() => { document.querySelector("#lathe-panel").open = true; });
  await page.click("#load-example");
  await page.waitForSelector('#status[data-state="ready"]');
  await page.evaluate(() => performance.clearMeasures("thread-query"));
  for (const target of ["1.25mm", "20tpi", "mod1.5", "0.75mm", "11tpi", "dp16"]) {
    await page.fill("#thread-target", target);
    await page.click("#thread-find");
    await page.waitForSelector('#status[data-state="ready"]');
  }
  threads.push(...await page.evaluate(() => performance.getEntriesByName("thread-query").map((e) => e.duration)));
  await page.click("#tab-chart");
  for (const box of await page.$$("#chart-series input")) await box.setChecked(true);
  await page.evaluate(() => { window.longTasks.length = 0; window.asked = performance.now(); document.querySelector("#suggest").click(); });
  await page.waitForSelector('#status[data-state="ready"]', { timeout: 120000 });
  advice.push(await page.evaluate(() => performance.now() - window.asked));
  longest.push(await page.evaluate(() => Math.max(0, ...window.longTasks)));
  await page.close();
}
await browser.close();
const ms = (x) => x.toFixed(1) + " ms";
console.log(`ready from navigation start:     median ${ms(median(ready))} (goal < 500 ms) over ${ready.length} loads`);
console.log(`  the table's worker started at ${ms(median(started))} (compiling while the page is read), the table asked for at ${ms(median(asked))}`);
console.log(`first Find answered (clicked):   median ${ms(median(answered))} from navigation start`);
console.log(`Find, press to shown:            median ${ms(median(finds))} (goal < 5 ms) over ${finds.length}`);
console.log(`thread query and drawing:        median ${ms(median(threads))} (goal < 20 ms) over ${threads.length}`);
console.log(`which gear, every series:        median ${ms(median(advice))}; longest task meanwhile ${ms(Math.max(...longest))} (goal < 100 ms)`);
