// The Gear view of cogwright.html in Debian's Chromium, from disk: its job
// sheet and printed page are what the native cogwright-cli prints for the
// same gear and head (another build of the same core), and a figure worked
// by hand; a refusal marks the field at fault in the CLI's words; a sheet for
// a head no longer chosen never shows; no task holds the page for 100 ms;
// phone and desktop widths scroll no sideways and axe-core finds nothing.
// Usage: node gear_page_test.mjs PAGE.html CLI HEADS_DIR
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { check, ready, openPage as openFile, finish } from "./harness.mjs";

const [pageFile, cli, headsDir] = process.argv.slice(2);
const axeSource = readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");
const longTasks = () => {
  window.longTasks = [];
  new PerformanceObserver((list) => window.longTasks.push(...list.getEntries().map((e) => e.duration)))
    .observe({ type: "longtask", buffered: true });
};
const openPage = (width) => openFile(pageFile, width, longTasks);

// The CLI's output (or {error} without the program's name) for `args`.
function run(args) {
  try {
    return execFileSync(cli, args, { encoding: "utf8", stdio: "pipe" });
  } catch (e) {
    return { error: e.stderr.replace(/^cogwright-cli: /, "").trim() };
  }
}
const kFields = { teeth: "#gear-teeth", size: "#gear-size", pressure: "#gear-pressure", helix: "#gear-helix",
  shift: "#gear-shift", pin: "#gear-pin" };
const kOptions = { pressure: "--pressure-angle", helix: "--helix", shift: "--shift", pin: "--pin" };
// The CLI's arguments for a gear as the form holds it.
function cliArgs(gear, head) {
  const args = ["gear", gear.teeth, `--${gear.system}`, gear.size];
  for (const [k, option] of Object.entries(kOptions)) if (gear[k]) args.push(option, gear[k]);
  return head ? [...args, "--head", `${headsDir}/${head}`] : args;
}
async function makeSheet(page, gear) {
  for (const [k, id] of Object.entries(kFields)) await page.fill(id, gear[k] ?? "");
  await page.check(`#gear-${gear.system}`);
  await page.click("#gear-make");
  await ready(page);
}
async function chooseHead(page, file) {
  await page.click("#tab-dividing");
  await page.evaluate(() => { document.querySelector("#head-panel").open = true; });
  await page.selectOption("#head-example", file);
  await page.click("#head-load-example");
  await ready(page);
  await page.click("#tab-gear");
  await ready(page);
}
const sheet = (page) => page.textContent("#gear-sheet");

// --- The sheet and its printed page as the CLI's, on the built-in head and
// on one chosen in the Dividing view; the blank and the drawing's labels as
// worked by hand for 40 teeth of module 2 (tip 40·2 + 2·2 = 84 mm, whole
// depth 2.25·2 = 4.5 mm, 35 to 54 teeth: No. 6 of a module set, No. 3 DP).
{
  const page = await openPage(1000);
  await page.click("#tab-gear");
  await ready(page);
  const cases = [
    [null, { teeth: "40", system: "module", size: "2" }],
    [null, { teeth: "23", system: "cp", size: "0.25", pressure: "14.5", shift: "0.3", pin: "3" }],
    ["90-1-rotary-table.json", { teeth: "31", system: "dp", size: "12", helix: "22.5R" }],
    ["90-1-rotary-table.json", { teeth: "127", system: "dp", size: "24", helix: "15L" }],
  ];
  for (const [head, gear] of cases) {
    if (head) await chooseHead(page, head);
    await makeSheet(page, gear);
    const name = cliArgs(gear, head).join(" ");
    check(`${name}: the sheet as the CLI's text`, run(cliArgs(gear, head)), await sheet(page));
    await page.click("#gear-print");
    check(`${name}: the printed page as the CLI's html`, run([...cliArgs(gear, head), "--format", "html"]),
      await page.$eval("#chart-sheet", (f) => f.srcdoc));
  }
  await page.click("#tab-gear");
  await makeSheet(page, cases[0][1]);
  check("40 teeth, module 2: the blank by hand", true, (await sheet(page)).includes("turn the blank to 84.000 mm"));
  check("40 teeth, module 2: the drawing's depth and cutter by hand", ["depth 4.500 mm", "No. 6 module / No. 3 DP"],
    [await page.textContent("#gear-depth-label"), await page.textContent("#gear-cutter-label")]);
  const longest = Math.max(0, ...await page.evaluate(() => window.longTasks));
  check(`no task of 100 ms or more (longest ${longest.toFixed(0)} ms)`, true, longest < 100);
  await page.context().close();
}

// --- A refusal at its field, in the CLI's words; mended, it goes.
{
  const page = await openPage(1000);
  await page.click("#tab-gear");
  await ready(page);
  const good = { teeth: "40", system: "module", size: "2" };
  const cases = [
    ["teeth", { teeth: "4" }],
    ["size", { size: "0" }],
    ["size", { system: "dp", size: "x" }],
    ["pressure", { pressure: "45" }],
    ["helix", { helix: "20" }],
    ["shift", { shift: "1.5" }],
    ["pin", { pin: "0.1" }],
  ];
  for (const [field, wrong] of cases) {
    const gear = { ...good, ...wrong };
    await makeSheet(page, gear);
    const error = await page.textContent("#gear-error");
    const cli = run(cliArgs(gear)).error ?? "";
    // The CLI names the option ("--pin: "), the page the field's label.
    const said = cli.replace(/^--[\w-]+: /, "");
    check(`${field} ${JSON.stringify(wrong)}: the field marked, the CLI's reason, no sheet`,
      [kFields[field], true, ""],
      [await page.$eval("#view-gear [aria-invalid=true]", (f) => "#" + f.id).catch(() => null),
        said !== "" && error.endsWith(`: ${said}`), await sheet(page)]);
    await makeSheet(page, good);
    check(`${field} mended: nothing marked`, [0, ""], [(await page.$$("#view-gear [aria-invalid=true]")).length, await page.textContent("#gear-error")]);
  }
  await page.context().close();
}

// --- Asked, and another head chosen in the same task: only the sheet of
// the head chosen ever shows.
{
  const page = await openPage(1000);
  await chooseHead(page, "60-1-direct-plate.json");
  const gear = { teeth: "127", system: "module", size: "1.5" };
  await makeSheet(page, gear);
  check("on the head chosen", run(cliArgs(gear, "60-1-direct-plate.json")), await sheet(page));
  await page.evaluate(() => {
    window.shown = [];
    new MutationObserver(() => window.shown.push(document.querySelector("#gear-sheet").textContent))
      .observe(document.querySelector("#gear-sheet"), { childList: true, characterData: true, subtree: true });
    document.querySelector("#gear-make").click();
    const picker = document.querySelector("#gear-head");
    picker.value = picker.options[0].value;
    picker.dispatchEvent(new Event("change", { bubbles: true }));
  });
  await ready(page);
  const builtIn = run(cliArgs(gear));
  check("another head chosen: its sheet", builtIn, await sheet(page));
  check("and no other sheet shown on the way", [builtIn],
    [...new Set(await page.evaluate(() => window.shown.filter((t) => t !== "")))]);
  check("the Dividing view chose it too", await page.$eval("#gear-head", (s) => s.selectedOptions[0].text),
    await page.$eval("#head", (s) => s.selectedOptions[0].text));
  await page.context().close();
}

// --- On a phone and a desktop, a helical sheet and its drawing shown: no
// sideways scrolling and no axe violation.
for (const width of [375, 1366]) {
  const page = await openPage(width);
  await page.evaluate(axeSource);
  await page.click("#tab-gear");
  await ready(page);
  await makeSheet(page, { teeth: "127", system: "dp", size: "24", helix: "22d30mL", pin: "" });
  check(`${width} px: a sheet and its drawing shown`, [true, true],
    [(await sheet(page)).length > 0, await page.isVisible("#gear-drawing")]);
  check(`${width} px: no wider than the screen`, width, await page.evaluate(() => document.documentElement.scrollWidth));
  const { violations } = await page.evaluate(() => axe.run(document, { runOnly: ["wcag2a", "wcag2aa", "wcag21aa", "wcag22aa", "best-practice"] }));
  check(`${width} px: no axe violation`, [], violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(" ")}`));
  await page.context().close();
}

await finish("web (gear)");
