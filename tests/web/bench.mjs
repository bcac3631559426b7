// Timings of cogwright.html in headless Chromium, marked from outside the
// page (its workers' messages watched, its status line observed): navigation start to the first ready table at the
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
// Marks the page's moments where the page meets its workers, the first of
// each: "core-started" (a worker made), "table-asked" (a build posted),
// "ready" (a table built), "answer" (a Find answered and shown); and
// measures "press", each Find from its post to its match shown.
function markWorkers() {
  const once = (name) => performance.getEntriesByName(name).length || performance.mark(name);
  window.Worker = class extends window.Worker {
    constructor(...args) {
      super(...args);
      once("core-started");
    }
    postMessage(message, ...rest) {
      if (message?.type === "build") once("table-asked");
      if (message?.type === "press") performance.mark("press-start");
      super.postMessage(message, ...rest);
    }
    get onmessage() {
      return super.onmessage;
    }
    set onmessage(handler) {
      super.onmessage = (event) => {
        if (event.data.type === "built") once("ready");
        handler(event);
        if (event.data.type !== "pressed") return;
        once("answer");
        performance.measure("press", "press-start");
      };
    }
  };
}
// Clicks `button` from the page itself (Playwright's synthetic mouse input
// waits for the next frame, which is its cost, not the page's) and gives the
// time until the status is ready again: the answer and what it leads to
// (a thread's trains and the first one drawn) shown.
const untilReady = (page, button) => page.evaluate((b) => new Promise((resolve) => {
  const status = document.querySelector("#status");
  const start = performance.now();
  const watch = new MutationObserver(() => {
    if (status.dataset.state !== "ready") return;
    watch.disconnect();
    resolve(performance.now() - start);
  });
  watch.observe(status, { attributes: true });
  document.querySelector(b).click();
}), button);
const median = (xs) => { const s = [...xs].sort((a, b) => a - b); return s[Math.floor(s.length / 2)]; };
const mark = (page, name) => page.waitForFunction((n) => performance.getEntriesByName(n).length, name, { timeout: 60000 })
  .then(() => page.evaluate((n) => performance.getEntriesByName(n)[0].startTime, name));
const started = [], asked = [], ready = [], answered = [], finds = [], threads = [], advice = [], longest = [];
for (let run = 0; run < Number(runs); ++run) {
  const page = await browser.newPage();  // a context of its own: nothing kept from the last run
  await page.addInitScript(markWorkers);
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
  for (const target of ["1.25mm", "20tpi", "mod1.5", "0.75mm", "11tpi", "dp16"]) {
    await page.fill("#thread-target", target);
    threads.push(await untilReady(page, "#thread-find"));
  }
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
