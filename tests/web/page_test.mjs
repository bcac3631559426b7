// cogwright.html in Debian's Chromium, from disk: the Ratios view replays the
// dialog's action scripts and must show exactly what `cogwright-cli session`
// prints for them (another build of the same core: native against
// WebAssembly); the Threads and Chart views must show the cells, CSV and sheet
// `cogwright-cli` prints; the banjo's failing rules are checked against
// margins worked by hand; a huge table's memory must go back once the limits
// are changed back. Usage: node page_test.mjs PAGE.html CLI SESSIONS_DIR PROFILES_DIR
import { execFileSync } from "node:child_process";
import { readdirSync, readFileSync, existsSync } from "node:fs";
import { chromium } from "playwright-core";

const [page_file, cli, sessions, profiles] = process.argv.slice(2);
let passed = 0, failed = 0;
function check(name, expected, actual) {
  const a = JSON.stringify(actual), e = JSON.stringify(expected);
  if (a === e) { passed++; return true; }
  failed++;
  console.log(`FAIL ${name}\n--- expected\n${e}\n--- actual\n${a}`);
  return false;
}
const run = (args, input) => execFileSync(cli, args, { input, encoding: "utf8", stdio: "pipe" });
// A text table of the CLI as rows of cells: each column starts where its
// heading does (cells may hold single spaces, columns are 2 apart).
function columns(text, heading) {
  const lines = text.split("\n");
  const first = lines.findIndex((l) => l.startsWith(heading));
  const table = first < 0 ? [] : lines.slice(first, lines.indexOf("", first));
  const starts = first < 0 ? [] : [...table[0].matchAll(/(?:^|\s\s)(\S)/g)].map((m) => m.index + m[0].length - 1);
  return table.map((l) => starts.map((at, k) => l.slice(at, starts[k + 1]).trim()));
}

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  // The mark finds this browser's process among the machine's (see renderersMiB).
  args: [`--cogwright-page-test=${process.pid}`, "--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run"],
});
const page = await browser.newPage();
const requests = [];
page.on("request", (r) => { if (!r.url().startsWith("file:") && !r.url().startsWith("blob:") && !r.url().startsWith("data:")) requests.push(r.url()); });
page.on("pageerror", (e) => check("no script error", "", e.message));
const ready = () => page.waitForSelector('#status[data-state="ready"], #status[data-state="failed"]', { timeout: 120000 });
// The lathe's file, typed in the lathe panel (opened: it closes once a lathe is set up).
async function setProfile(text) {
  await page.evaluate(() => { document.querySelector("#lathe-panel").open = true; });
  await page.fill("#profile", text);
}
const ids = ["#actual", "#gear1", "#gear2", "#gear3", "#gear4", "#error"];
async function shown() {
  const texts = [];
  for (const id of ids) texts.push(await page.textContent(id));
  const grey = [];
  for (const id of ids.slice(1, 5)) grey.push(await page.$eval(id, (e) => e.classList.contains("grey")));
  return { texts, grey: grey[0] && grey[1] ? "first" : grey[2] && grey[3] ? "second" : "none" };
}
// The session's GREY column names the greyed pair by its gear positions.
const greyOfSession = (column) => ({ "12": "first", "34": "second", "-": "none" })[column];
async function open(limits) {
  // Each replay starts as a first visit, with no inputs kept from the last.
  await page.evaluate(() => localStorage.clear()).catch(() => {});
  await page.goto("file://" + page_file);
  await ready();
  if (!limits) return;
  await page.fill("#min-teeth", limits[0]);
  await page.fill("#max-teeth", limits[1]);
  await page.click("#build");
  await ready();
}

// The largest table (1.1 GB) and then the default: the memory goes back.
// Measured as the resident memory of this browser's renderers, which hold the
// workers' heaps, first, while this page is the only one. Only this browser's:
// other browsers on the machine (other tests) come and go meanwhile.
const parentOf = (pid) => Number(readFileSync(`/proc/${pid}/stat`, "utf8").replace(/^.*\) /, "").split(" ")[1]);
const browserPid = Number(readdirSync("/proc").find((p) => {
  try {
    return readFileSync(`/proc/${p}/cmdline`, "utf8").split("\0").includes(`--cogwright-page-test=${process.pid}`);
  } catch { return false; }
}));
function ofThisBrowser(pid) {
  for (let p = Number(pid); p > 1; p = parentOf(p)) if (p === browserPid) return true;
  return false;
}
function renderersMiB() {
  let kib = 0;
  for (const pid of readdirSync("/proc").filter((p) => /^\d+$/.test(p))) {
    try {
      if (!readFileSync(`/proc/${pid}/cmdline`, "utf8").includes("--type=renderer") || !ofThisBrowser(pid)) continue;
      kib += Number(readFileSync(`/proc/${pid}/status`, "utf8").match(/VmRSS:\s+(\d+)/)[1]);
    } catch { /* the process ended meanwhile */ }
  }
  return kib / 1024;
}
async function rebuild(first, second) {
  await page.fill("#min-teeth", first);
  await page.fill("#max-teeth", second);
  await page.click("#build");
  await ready();
}
await open(null);
const before = renderersMiB();
await rebuild("6", "130");
const huge = renderersMiB() - before;
await rebuild("16", "72");
// A terminated worker's heap is freed a moment later, by the renderer's own
// thread: looked for again after each frame the page draws (up to 600), not
// after a fixed time, so a loaded machine only takes more frames.
for (let frame = 0; frame < 600 && renderersMiB() - before >= 150; ++frame) {
  await page.evaluate(() => new Promise((drawn) => requestAnimationFrame(drawn)));
}
check("a huge table's memory is given back", [true, true], [huge > 900, renderersMiB() - before < 150]);

// --- Ratios: every action script, as the native tool replays it ---
for (const file of readdirSync(sessions).filter((f) => f.endsWith(".txt")).sort()) {
  const name = file.slice(0, -4);
  const argsFile = `${sessions}/${name}.args`;
  const limits = existsSync(argsFile) ? readFileSync(argsFile, "utf8").trim().split(/\s+/) : null;
  const actions = readFileSync(`${sessions}/${file}`, "utf8").split("\n").filter((l) => l !== "");
  const expected = run(["session", ...(limits ? ["--teeth", ...limits] : [])], actions.join("\n") + "\n")
    .split("\n").filter((l) => l !== "");
  await open(limits);
  let last = await shown(), next = 0;
  for (const action of actions) {
    const [verb, ...rest] = action.split(" ");
    if (verb === "target") { await page.fill("#target", rest.join(" ")); continue; }
    if (verb === "single" || verb === "even") { await page.setChecked("#" + verb, rest[0] === "1"); continue; }
    await page.click("#" + verb);
    await ready();
    const fields = expected[next++].split("\t");
    if (fields[0] === "show") last = { texts: fields.slice(2, 8), grey: greyOfSession(fields[8]) };
    if (!check(`${name}: ${action} (step ${next})`, last, await shown())) break;
  }
}

// The limits notice, a table that cannot be created, Enter, and new limits mid-build.
await open(["16", "50"]);
check("notice", "Using command line parameters\nMinimum teeth =  16\nMaximum teeth =  50\n" +
  "Please allow up to several minutes to generate the ratio table.", await page.textContent("#notice"));
await open(["251", "72"]);
let failure = "";
try { run(["table", "--teeth", "251", "72"]); } catch (e) { failure = e.stderr.replace("cogwright-cli: ", "").trim(); }
check("table failure", ["failed", failure, true],
  [await page.getAttribute("#status", "data-state"), await page.textContent("#table-error"), await page.isDisabled("#find")]);
await open(null);
await page.fill("#min-teeth", "6");
await page.fill("#max-teeth", "130");
await page.click("#build");
await page.fill("#max-teeth", "40");
await page.click("#build");
await ready();
await page.focus("#target");
await page.keyboard.press("Enter");
await ready();
const find = run(["session", "--teeth", "6", "40"], "find\n").trim().split("\t");
check("Enter finds after a build changed mid-way", { texts: find.slice(2, 8), grey: greyOfSession(find[8]) }, await shown());


// --- Threads: the ranked trains of the native tool ---
await page.click("#tab-threads");
for (const profile of ["imperial-8tpi.json", "metric-2mm.json", "metric-1.5mm.json"]) {
  const text = readFileSync(`${profiles}/${profile}`, "utf8");
  for (const [target, starts] of [["1.25mm", "1"], ["11tpi", "1"], ["mod1.5", "1"], ["M6 LH", "1"], ["1/4-20", "1"], ["0.1mm/rev", "1"], ["M8x1.25", "2"]]) {
    await setProfile(text);
    await page.fill("#thread-target", target);
    await page.fill("#starts", starts);
    await page.click("#thread-find");
    await ready();
    const want = JSON.parse(run(["thread", target, "--starts", starts, "--profile", `${profiles}/${profile}`, "--format", "json"]))
      .trains.map((t) => [t.ratio, t.gears.join(","), t.kind, String(t.gearbox), String(t.fits)]);
    const got = await page.$$eval("#trains tr[data-ratio]", (rows) => rows.map((r) =>
      [r.dataset.ratio, r.dataset.gears, r.dataset.kind, r.dataset.gearbox, r.dataset.fits]));
    check(`thread ${target} x${starts} on ${profile}`, want, got);
    check(`thread ${target} x${starts} on ${profile}: the CLI's cells`,
      columns(run(["thread", target, "--starts", starts, "--profile", `${profiles}/${profile}`]), "#  "),
      await page.$$eval("#trains tr", (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent))));
  }
}
// The drawing: compound 20 20 80 30 on the 1.5 mm lathe (module 1, centre
// distance 90, stud and lead screw shafts 12 so 6 of room each, slot 30 to 80)
// has L1 = (20+20)/2 = 20 and L2 = (80+30)/2 = 55, so by the fit rules:
//   C clears the stud        20 - ((80+2)/2 + 6) = -27    B clears the screw  55 - ((20+2)/2 + 6) = +38
//   A clears the screw       90 - ((20+2)/2 + 6) = +73    D clears the stud   90 - ((30+2)/2 + 6) = +68
//   middle shaft reaches     20 + 55 - 90        = -15    not too close       90 - |20 - 55|      = +55
//   within the slot          min(55 - 30, 80 - 55) = +25
const small = `${profiles}/metric-1.5mm.json`;
await setProfile(readFileSync(small, "utf8"));
await page.fill("#thread-target", "4mm");
await page.fill("#starts", "1");
await page.setChecked("#thread-all", true);
await page.click("#thread-find");
await ready();
await page.click('#trains tr[data-gears="20,20,80,30"]');
await ready();
check("the drawing marks the failing rules with their margins",
  [["c_clears_stud", "C clears the stud: -27.000 mm"], ["shaft_reach", "the middle shaft reaches both gears: -15.000 mm"]],
  await page.$$eval("#banjo [data-rule].fail", (es) => es.map((e) => [e.dataset.rule, e.textContent])));
check("the rules' margins", ["-27.000", "+38.000", "+73.000", "+68.000", "-15.000", "+55.000", "+25.000"],
  await page.$$eval("#fit-rules li", (es) => es.map((e) => e.textContent.match(/, (\S+) mm$/)[1])));
check("the parts that clash are red", ["C"], await page.$$eval("#banjo circle.tip.fail", (es) => es.map((e) => e.dataset.gear)));

// The chart: every series on each example lathe, its CSV the CLI's byte for byte.
const allSeries = run(["chart", "--list"]).split("\n").filter((l) => l).map((l) => l.split(" ")[0]);
for (const profile of ["imperial-8tpi.json", "metric-2mm.json", "metric-1.5mm.json"]) {
  await page.click("#tab-threads");
  await setProfile(readFileSync(`${profiles}/${profile}`, "utf8"));
  await page.click("#tab-chart");
  for (const box of await page.$$("#chart-series input")) await box.setChecked(true);
  await page.click("#chart-build");
  await ready();
  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#chart-csv")]);
  check(`chart CSV on ${profile}`, run(["chart", ...allSeries, "--profile", `${profiles}/${profile}`, "--format", "csv"]),
    readFileSync(await download.path(), "utf8"));
}

// The chart on screen and as printed: the native tool's trains and sheet, on one page.
await page.click("#tab-threads");
const imperial = `${profiles}/imperial-8tpi.json`;
await setProfile(readFileSync(imperial, "utf8"));
await page.click("#tab-chart");
for (const box of await page.$$("#chart-series input")) await box.setChecked(["iso-coarse", "unc"].includes(await box.getAttribute("value")));
await page.click("#chart-build");
await ready();
const chart = JSON.parse(run(["chart", "iso-coarse", "unc", "--profile", imperial, "--format", "json"])).rows;
check("chart rows", chart.map((r) => [r.sizes.join(", "), r.train ? r.train.gears.join(" ") : null]),
  await page.$$eval("#chart tbody tr", (rows) => rows.map((r) => [r.cells[r.cells.length - 1].textContent,
    /^\d/.test(r.cells[1].textContent) ? r.cells[1].textContent : null])));
await page.click("#chart-print");
const sheet = await page.$eval("#chart-sheet", (f) => f.srcdoc);
check("the printed sheet", run(["chart", "iso-coarse", "unc", "--profile", imperial, "--format", "html"]), sheet);
const paper = await browser.newPage();
await paper.setContent(sheet);
const pdf = (await paper.pdf({ format: "A4" })).toString("latin1");
check("chart prints on one page", 1, (pdf.match(/\/Type\s*\/Page[^s]/g) || []).length);
await paper.close();

// Errors: the core's text, after the label of the field it blames (marked
// invalid) when the core names one.
await page.click("#tab-threads");
for (const [field, value, out, label, text] of [
  ["#profile", '{"gears": [20, 7]}', "#profile-error", ["#pf-gears", "Gears you own"], "7 is not a whole number from 8 to 300"],
  ["#thread-target", "1.25qq", "#thread-error", ["#thread-target", "Thread or feed"],
   'target "1.25qq" has no known unit (write it as 1.25mm, 20tpi, 0.05in, M6, 1/4-20, 1/4 UNC, mod1.5, dp16, 0.1mm/rev or 0.004ipr)'],
]) {
  await setProfile(readFileSync(imperial, "utf8"));
  await page.fill("#thread-target", "1.25mm");
  await page.fill(field, value);
  await page.click("#thread-find");
  await ready();
  check(`error in ${field}`, [`${label[1]}: ${text}`, "true"],
    [await page.textContent(out), await page.getAttribute(label[0], "aria-invalid")]);
}
check("no network requests", [], requests);

await browser.close();
console.log(`web: ${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
