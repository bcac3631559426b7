// cogwright.html in Debian's Chromium, from disk: the Ratios view replays the
// dialog's action scripts and must show exactly what `cogwright-cli session`
// prints for them (another build of the same core: native against
// WebAssembly); the Threads view must rank the trains `cogwright-cli thread`
// ranks. Usage: node page_test.mjs PAGE.html CLI SESSIONS_DIR PROFILES_DIR
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

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run"],
});
const page = await browser.newPage();
const requests = [];
page.on("request", (r) => { if (!r.url().startsWith("file:") && !r.url().startsWith("blob:") && !r.url().startsWith("data:")) requests.push(r.url()); });
page.on("pageerror", (e) => check("no script error", "", e.message));
const ready = () => page.waitForSelector('#status[data-state="ready"], #status[data-state="failed"]', { timeout: 120000 });
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
  await page.goto("file://" + page_file);
  await ready();
  if (!limits) return;
  await page.fill("#min-teeth", limits[0]);
  await page.fill("#max-teeth", limits[1]);
  await page.click("#build");
  await ready();
}

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
  for (const [target, starts] of [["1.25mm", "1"], ["11tpi", "1"], ["m1.5", "1"], ["0.1mm/rev", "2"]]) {
    await page.fill("#profile", text);
    await page.fill("#thread-target", target);
    await page.fill("#starts", starts);
    await page.click("#thread-find");
    await ready();
    const want = JSON.parse(run(["thread", target, "--starts", starts, "--profile", `${profiles}/${profile}`, "--format", "json"]))
      .trains.map((t) => [t.ratio, t.gears.join(","), t.kind, String(t.gearbox), String(t.fits)]);
    const got = await page.$$eval("#trains tr[data-ratio]", (rows) => rows.map((r) =>
      [r.dataset.ratio, r.dataset.gears, r.dataset.kind, r.dataset.gearbox, r.dataset.fits]));
    check(`thread ${target} x${starts} on ${profile}`, want, got);
  }
}
// The drawing marks exactly the rules the native tool says fail.
const imperial = `${profiles}/imperial-8tpi.json`;
await page.fill("#profile", readFileSync(imperial, "utf8"));
await page.fill("#thread-target", "1.5mm");
await page.setChecked("#thread-all", true);
await page.click("#thread-find");
await ready();
await page.click('#trains tr[data-fits="false"]');
const unfit = (await page.getAttribute('#trains tr[aria-selected="true"]', "data-gears")).split(",");
const rules = JSON.parse(run(["train", ...unfit, "--profile", imperial, "--format", "json"])).rules;
check("the drawing marks the failing rules", rules.filter((r) => !r.ok).map((r) => r.id).sort(),
  (await page.$$eval("#banjo [data-rule].fail", (es) => es.map((e) => e.dataset.rule))).sort());

// The chart: the native tool's trains, printed on one sheet.
await page.click("#tab-chart");
await page.click("#chart-build");
await ready();
const chart = JSON.parse(run(["chart", "iso-coarse", "unc", "--profile", imperial, "--format", "json"])).rows;
check("chart rows", chart.map((r) => [r.size, r.train ? r.train.gears.join(" ") : "no train fits"]),
  await page.$$eval("#chart tbody tr", (rows) => rows.map((r) => [r.cells[0].textContent, r.cells[2].textContent])));
const pdf = (await page.pdf({ format: "A4" })).toString("latin1");
check("chart prints on one page", 1, (pdf.match(/\/Type\s*\/Page[^s]/g) || []).length);

await page.click("#tab-threads");
await page.fill("#profile", '{"gears": [20, 7]}');
check("profile error", '"gears"[1]: 7 is not a whole number from 8 to 300', await page.textContent("#profile-error"));
check("no network requests", [], requests);

await browser.close();
console.log(`web: ${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
