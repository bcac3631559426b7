// What every page test needs: Debian's Chromium, the page opened from disk
// in a fresh browser profile, the page's own "ready", and checks counted.
import { chromium } from "playwright-core";

let passed = 0, failed = 0;
export function check(name, expected, actual) {
  const a = JSON.stringify(actual), e = JSON.stringify(expected);
  if (a === e) return ++passed;
  ++failed;
  console.log(`FAIL ${name}\n--- expected\n${e}\n--- actual\n${a}`);
}

// Requests that left the page (none should: it is one file, and offline).
export const leaving = [];

export const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run"],
});

export const ready = (page) => page.waitForSelector('#status[data-state="ready"]', { timeout: 60000 });

// pageFile in a fresh browser profile (nothing kept from another test),
// `width` px wide, `init` run before the page's scripts; script errors and
// policy violations recorded.
export async function openPage(pageFile, width = 1000, init) {
  const context = await browser.newContext({ viewport: { width, height: 800 }, acceptDownloads: true });
  const page = await context.newPage();
  page.on("request", (r) => { if (!/^(file|blob|data|about):/.test(r.url())) leaving.push(r.url()); });
  page.on("pageerror", (e) => check("no script error", "", e.message));
  await page.addInitScript(() => {
    window.violations = [];
    document.addEventListener("securitypolicyviolation", (e) => window.violations.push(e.violatedDirective));
  });
  if (init) await page.addInitScript(init);
  await page.goto("file://" + pageFile);
  await ready(page);
  return page;
}

// Ends the run: the count under `title`, and the exit status.
export async function finish(title) {
  check("no request leaves the page", [], leaving);
  await browser.close();
  console.log(`${title}: ${passed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
}
