// cogwright.html as a machinist uses it, in Debian's Chromium from disk:
// lathes that are never overwritten, a blank lathe, inputs that survive a
// reload, a page that never freezes or scrolls sideways on a phone, no
// accessibility violation (axe-core), a CSV that cannot run a formula, and
// nothing that leaves the page. Usage: node lathe_page_test.mjs PAGE.html PROFILES_DIR
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { check, ready, openPage as openFile, finish } from "./harness.mjs";

const [pageFile, profiles] = process.argv.slice(2);
const axeSource = readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");
const openPage = (width, init) => openFile(pageFile, width, init);
const lathesShown = (page) => page.$$eval("#lathe option", (os) => os.map((o) => (o.selected ? "*" : "") + o.text));
const openPanel = (page) => page.evaluate(() => { document.querySelector("#lathe-panel").open = true; });
async function setProfile(page, text) {
  await page.click("#tab-threads");
  await openPanel(page);
  await page.fill("#profile", text);
  await ready(page);
}
async function findTrains(page, target, starts = "1") {
  await page.click("#tab-threads");
  await page.fill("#thread-target", target);
  await page.fill("#starts", starts);
  await page.click("#thread-find");
  await ready(page);
}
const example = (name) => readFileSync(`${profiles}/${name}`, "utf8");

// --- Lathes: every way in makes a new one; the current one is never overwritten.
{
  const page = await openPage();
  await page.click("#tab-threads");
  const mine = '{\n  "name": "My Myford",\n  "leadscrew": "8 TPI",\n  "gears": [20, 25, 30, 35, 40, 127]\n}';
  await setProfile(page, mine);
  check("a first visit has one lathe, typed over", ["*My Myford"], await lathesShown(page));
  const ways = [
    ["an example", async () => { await page.selectOption("#example", "metric-2mm.json"); await page.click("#load-example"); },
     "Metric bench lathe, 2 mm lead screw"],
    ["a file", () => page.setInputFiles("#import", { name: "a.json", mimeType: "application/json",
      buffer: Buffer.from('{"name": "Imported", "leadscrew": "2mm", "gears": [20, 40]}') }), "Imported"],
    ["a copy", () => page.click("#lathe-duplicate"), "My Myford (copy)"],
    ["New lathe", () => page.click("#lathe-new"), "New lathe"],
  ];
  const names = ["My Myford"];
  for (const [way, act, name] of ways) {
    await page.selectOption("#lathe", { label: "My Myford" });
    await ready(page);
    await act();
    await ready(page);
    names.push(name);
    check(`${way} makes a new lathe, chosen`, names.map((n) => (n === name ? "*" : "") + n), await lathesShown(page));
    await page.selectOption("#lathe", { label: "My Myford" });
    await ready(page);
    check(`${way} leaves my lathe as it was`, mine, await page.inputValue("#profile"));
  }
  // A delete is undone; the names survive a reload, the current one chosen.
  await page.selectOption("#lathe", { label: "Imported" });
  await page.click("#lathe-delete");
  await ready(page);
  check("a delete removes the lathe", ["My Myford", "Metric bench lathe, 2 mm lead screw", "*My Myford (copy)", "New lathe"],
    await lathesShown(page));
  await page.click("#lathe-undo-button");
  await ready(page);
  await page.reload();
  await ready(page);
  check("undo brings it back, and a reload keeps them all", ["My Myford", "Metric bench lathe, 2 mm lead screw",
    "*Imported", "My Myford (copy)", "New lathe"], await lathesShown(page));
  await page.context().close();
}

// --- A blank lathe: the fields in workshop words fill it; no geometry, no fit claim.
{
  const page = await openPage();
  await page.click("#tab-threads");
  await page.click("#lathe-new");
  await ready(page);
  check("a new lathe is open to be set up", true, await page.$eval("#lathe-panel", (d) => d.open));
  await page.fill("#pf-leadscrew", "16 TPI");
  await page.fill("#pf-gears", "20-40/5, 2x127");
  await page.locator("#pf-gears").blur();
  await ready(page);
  await page.setChecked("#pf-tumbler", false);
  await ready(page);
  // 20 to 40 in fives is 20 25 30 35 40; "2x127" is two 127s.
  check("the form writes the profile", { name: "New lathe", leadscrew: "16 TPI", gears: [20, 25, 30, 35, 40, 127, 127], tumbler: false },
    JSON.parse(await page.inputValue("#profile")));
  await page.click("#lathe-rename");
  await page.keyboard.type("Banjo-less");
  await ready(page);
  check("Rename names the lathe in the list", "*Banjo-less", (await lathesShown(page)).find((n) => n.startsWith("*")));
  await findTrains(page, "1.5 mm");
  check("a blank lathe's fit is not checked", true, (await page.textContent("#trains-caption")).includes("fit not checked"));
  check("and it draws no banjo", 0, await page.$$eval("#banjo circle", (cs) => cs.length));
  // A standard size picked is the target, asked at once.
  await page.selectOption("#thread-standard", "M6 iso-coarse");
  await ready(page);
  check("a standard size picked is asked", ["M6 iso-coarse", true],
    [await page.inputValue("#thread-target"), (await page.textContent("#trains-caption")).startsWith("Best trains for M6")]);
  // Input faults: each clears what it made stale, and says what is wrong.
  await setProfile(page, example("metric-1.5mm.json"));
  for (const [target, starts, field] of [["1.5 mm", "1.5", "#starts"], ["1.25qq", "1", "#thread-target"], ["1.5 mm", "0", "#starts"]]) {
    await findTrains(page, "1.25mm");
    await findTrains(page, target, starts);
    check(`${target} x ${starts}: results cleared, the field blamed`, [0, 0, "Best trains", "true", true],
      [await page.$$eval("#trains tbody tr", (r) => r.length), await page.$$eval("#banjo *", (e) => e.length),
       await page.textContent("#trains-caption"), await page.getAttribute(field, "aria-invalid"),
       (await page.textContent("#thread-error")) !== ""]);
  }
  await page.context().close();
}

// --- A reload keeps every input and the chosen view.
{
  const page = await openPage();
  const inputs = [["#min-teeth", "20"], ["#max-teeth", "60"], ["#target", "0.75"], ["#single", true], ["#even", true],
    ["#thread-target", "M6 iso-coarse"], ["#starts", "2"], ["#thread-all", true]];
  for (const [id, v] of inputs) {
    if (id === "#thread-target") await page.click("#tab-threads");
    if (v === true) await page.setChecked(id, true);
    else await page.fill(id, v);
  }
  await page.click("#tab-chart");
  await page.reload();
  await ready(page);
  const got = [];
  for (const [id, v] of inputs) got.push([id, v === true ? await page.isChecked(id) : await page.inputValue(id)]);
  check("a reload keeps every input", inputs, got);
  check("and the view", "true", await page.getAttribute("#tab-chart", "aria-selected"));
  await page.context().close();
}

// --- Which gear to buy over every series: the page never holds a task for 100 ms.
{
  const page = await openPage(1000, () => {
    window.longTasks = [];
    new PerformanceObserver((list) => window.longTasks.push(...list.getEntries().map((e) => e.duration)))
      .observe({ type: "longtask", buffered: true });
  });
  await setProfile(page, example("imperial-8tpi.json"));
  await page.click("#tab-chart");
  for (const box of await page.$$("#chart-series input")) await box.setChecked(true);
  await page.evaluate(() => { window.longTasks.length = 0; });
  // The state is read in the same task as the press: busy from the handler on.
  check("a press shows work in progress", "busy",
    await page.evaluate(() => { document.querySelector("#suggest").click(); return document.querySelector("#status").dataset.state; }));
  await ready(page);
  check("advice shown", true, (await page.$$("#advice tbody tr")).length > 0);
  const longest = Math.max(0, ...await page.evaluate(() => window.longTasks));
  check(`no task of 100 ms or more during the advice (longest ${longest.toFixed(0)} ms)`, true, longest < 100);
  // Stop drops the advice being worked out: the worker answers questions in
  // order, so a chart shown after it proves the advice will never come. Stop
  // is pressed in the same task as the question, while the advice is surely
  // being worked out, however fast the machine.
  check("Stop, pressed while advice is worked out, says so", "Stopped", await page.evaluate(() => {
    document.querySelector("#suggest").click();
    document.querySelector("#cancel").click();
    return document.querySelector("#status").textContent;
  }));
  await page.click("#chart-build");
  await ready(page);
  check("Stop drops the advice, the next question is answered", [0, true],
    [(await page.$$("#advice tr")).length, (await page.$$("#chart tbody tr")).length > 0]);
  await page.context().close();
}

// --- A formula in the CSV is not a formula; the policy keeps every request in.
{
  const page = await openPage();
  const lathe = JSON.parse(example("metric-2mm.json"));
  lathe.gearbox = [{ name: "=cmd|' /C calc'!A0", ratio: "1/1" }, { name: "+B", ratio: "1/2" }];
  await setProfile(page, JSON.stringify(lathe));
  await page.click("#tab-chart");
  await page.click("#chart-build");
  await ready(page);
  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#chart-csv")]);
  // RFC 4180 fields: a spreadsheet runs a field that starts with = + - or @.
  const fields = [...readFileSync(await download.path(), "utf8").matchAll(/(?:^|,)("(?:[^"]|"")*"|[^,\n]*)/gm)]
    .map((m) => m[1].replace(/^"|"$/g, "").replace(/""/g, '"'));
  await page.click("#chart-print");
  await page.waitForFunction(() => document.querySelector("#chart-sheet").contentDocument?.querySelector("table"));
  check("the page and its printed sheet run within the page's policy", [], await page.evaluate(() => window.violations));
  check("the gearbox names are in the CSV", true, fields.some((f) => f.includes("=cmd")) && fields.some((f) => f.includes("+B")));
  check("no CSV field starts a formula", [], fields.filter((f) => /^[=+@]|^-(?![\d.])/.test(f)));
  const refused = await page.evaluate(() => new Promise((resolve) => {
    document.addEventListener("securitypolicyviolation", (e) => resolve(e.violatedDirective), { once: true });
    fetch("https://example.com/").catch(() => {});
  }));
  check("the page's policy refuses a request", "connect-src", refused);
  await page.context().close();
}

// --- Storage refused: said beside the lathe picker, and the edit lives on.
{
  const page = await openPage(1000, () => {
    Storage.prototype.setItem = () => { throw new DOMException("full", "QuotaExceededError"); };
  });
  await setProfile(page, example("metric-1.5mm.json"));
  check("a failed save is said where the lathe is chosen", ["alert", true, "Small metric lathe, 1.5 mm lead screw"],
    [await page.getAttribute("#lathe-error", "role"), (await page.textContent("#lathe-error")).startsWith("Not saved"),
     JSON.parse(await page.inputValue("#profile")).name]);
  await page.context().close();
}

// --- Files are data: only a lathe becomes a lathe, a taken name is numbered,
// hostile keys are refused as the CLI refuses them, Undo brings back every delete.
{
  const page = await openPage();
  await setProfile(page, example("metric-2mm.json"));
  await findTrains(page, "1.25mm");
  const file = (name, text) => page.setInputFiles("#import", { name, mimeType: "application/json", buffer: Buffer.from(text) });
  const before = await lathesShown(page);
  for (const [name, text] of [["package.json", '{"name": "cogwright-tests", "dependencies": {}}'],
    ["proto.json", '{"name": "P", "leadscrew": "2mm", "gears": [20, 40], "__proto__": {"gears": [7]}}'],
    ["ctor.json", '{"name": "C", "constructor": {"prototype": 1}, "leadscrew": "2mm"}'], ["list.json", "[20, 40]"]]) {
    await file(name, text);
    await ready(page);
    check(`${name} is no lathe: said, and the lathes and their trains stay`, [true, before, true],
      [(await page.textContent("#import-error")).startsWith(`\u201c${name}\u201d is not a lathe file`),
       await lathesShown(page), (await page.$$("#trains tbody tr")).length > 0]);
  }
  const lathe = '{"name": "Imported", "leadscrew": "2mm", "gears": [20, 40, 60]}';
  await file("a.json", lathe);
  await ready(page);
  await file("a.json", lathe);
  await ready(page);
  // A lathe being set up (no lead screw yet) is a lathe: a blank one exported is.
  await file("half.json", '{"name": "Half done", "gears": [20, 40]}');
  await ready(page);
  check("a file imported twice: the copy's name is numbered; one not finished is a lathe too",
    [...before.map((n) => n.replace("*", "")), "Imported", "Imported (2)", "*Half done"], await lathesShown(page));
  check("and the message of the refused file is gone", "", await page.textContent("#import-error"));
  // Typed in, the same keys are the lathe's fault: the old lathe's trains go.
  await setProfile(page, example("metric-2mm.json"));
  await findTrains(page, "1.25mm");
  for (const key of ["__proto__", "constructor"]) {
    await setProfile(page, `{"name": "Typed", "leadscrew": "2mm", "gears": [20, 40, 60], "${key}": {"gears": [20]}}`);
    check(`"${key}" typed in: the lathe is refused, no trains of another lathe shown`, [true, 0, 0],
      [(await page.textContent("#profile-error")).includes(key), (await page.$$("#trains tbody tr")).length,
       await page.$$eval("#banjo *", (e) => e.length)]);
  }
  // Every lathe deleted, and every delete undone: each comes back where it was.
  const all = await lathesShown(page);
  check("four lathes to delete", 4, all.length);
  for (const name of all) {
    await page.selectOption("#lathe", { index: 0 });
    await ready(page);
    await page.click("#lathe-delete");
    await ready(page);
  }
  check("deleting every lathe leaves a blank one", ["*New lathe"], await lathesShown(page));
  for (const name of all) {
    await page.click("#lathe-undo-button");
    await ready(page);
  }
  check("as many undos bring back all of them, in their places", [...all.map((n) => n.replace("*", "")), "New lathe"],
    (await lathesShown(page)).map((n) => n.replace("*", "")));
  check("and nothing is left to undo", true, await page.isHidden("#lathe-undo"));
  await page.context().close();
}

// --- One lathe being edited: edits in order whatever the worker does, no
// answer for an older lathe shown, a refused value refuses the lathe.
{
  const page = await openPage(375);
  const busy = JSON.parse(example("imperial-8tpi.json"));
  busy.gears = [20, 24, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 78];
  await setProfile(page, JSON.stringify(busy, null, 2));
  await page.click("#tab-chart");
  for (const box of await page.$$("#chart-series input")) await box.setChecked(true);
  // The gear list changed and Stop pressed while advice is worked out, all in
  // the task of the press: the edit is the lathe's, kept and saved.
  await page.evaluate(() => {
    document.querySelector("#suggest").click();
    const gears = document.querySelector("#pf-gears");
    gears.value = "20-70/5";
    gears.dispatchEvent(new Event("change", { bubbles: true }));
    document.querySelector("#cancel").click();
  });
  await ready(page);
  const twenty = [20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70];
  check("an edit made during work and Stop is kept", [twenty.join(", "), twenty],
    [await page.inputValue("#pf-gears"), JSON.parse(await page.inputValue("#profile")).gears]);
  await page.reload();
  await ready(page);
  check("and saved", twenty, JSON.parse(await page.inputValue("#profile")).gears);
  // A question on one lathe, and another lathe chosen in the same task: only
  // the second lathe's trains are shown (it owns only 20, 40 and 60).
  await page.click("#tab-threads");
  await openPanel(page);
  await page.click("#lathe-new");
  await ready(page);
  await page.fill("#profile", '{"name": "Few", "leadscrew": "2mm", "gears": [20, 40, 60]}');
  await ready(page);
  await page.selectOption("#lathe", { index: 0 });
  await ready(page);
  await page.fill("#thread-target", "1mm");
  await page.evaluate(() => {
    document.querySelector("#thread-find").click();
    const picker = document.querySelector("#lathe");
    picker.value = picker.options[1].value;
    picker.dispatchEvent(new Event("change", { bubbles: true }));
  });
  await ready(page);
  const gears = await page.$$eval("#trains tbody tr", (rows) => rows.map((r) => r.dataset.gears));
  check("the trains shown are the lathe's now chosen", [true, []],
    [gears.length > 0, gears.filter((g) => g.split(",").some((t) => !["20", "40", "60"].includes(t)))]);
  // A chart asked for, and the other lathe chosen in the same task: the
  // chart of the first never shows under the second.
  await page.click("#tab-chart");
  await page.evaluate(() => {
    document.querySelector("#chart-build").click();
    const picker = document.querySelector("#lathe");
    picker.value = picker.options[0].value;
    picker.dispatchEvent(new Event("change", { bubbles: true }));
  });
  await ready(page);
  check("a chart asked for on the lathe left is not shown", 0, (await page.$$("#chart tr")).length);
  await page.click("#tab-threads");
  await page.selectOption("#lathe", { index: 1 });
  await ready(page);
  // A gear list changed, and another lathe chosen in the same task, while the
  // core reads the list: the edit goes to the lathe it was made on.
  await openPanel(page);
  await page.evaluate(() => {
    const gears = document.querySelector("#pf-gears");
    gears.value = "20-60/10";
    gears.dispatchEvent(new Event("change", { bubbles: true }));
    const picker = document.querySelector("#lathe");
    picker.value = picker.options[0].value;
    picker.dispatchEvent(new Event("change", { bubbles: true }));
  });
  await ready(page);
  const busyGears = JSON.parse(await page.inputValue("#profile")).gears;
  await page.selectOption("#lathe", { index: 1 });
  await ready(page);
  check("an edit made as another lathe is chosen goes to its own lathe", [twenty, [20, 30, 40, 50, 60]],
    [busyGears, JSON.parse(await page.inputValue("#profile")).gears]);
  // A question, and in the same task one that cannot be asked (1.5 starts):
  // the first one's answer never shows.
  await page.evaluate(() => {
    document.querySelector("#thread-find").click();
    document.querySelector("#starts").value = "1.5";
    document.querySelector("#thread-find").click();
  });
  await ready(page);
  check("an answer to a question given up is not shown", [0, "true"],
    [(await page.$$("#trains tbody tr")).length, await page.getAttribute("#starts", "aria-invalid")]);
  await page.fill("#starts", "1");
  await page.click("#thread-find");
  await ready(page);
  // A refused gear list: nothing asked of the old list, the error under the
  // field and named by it, the summary saying the same; put right, all back.
  await openPanel(page);
  await page.fill("#pf-gears", "20-130");
  await page.locator("#pf-gears").blur();
  await ready(page);
  const said = await page.textContent("#gears-error");
  check("a refused gear list refuses the lathe", [true, "20-130", 0, said, true, "true"],
    [said.startsWith("Gears you own: "), await page.inputValue("#pf-gears"), (await page.$$("#trains tbody tr")).length,
     await page.textContent("#lathe-fault"),
     (await page.getAttribute("#pf-gears", "aria-describedby")).split(" ").includes("gears-error"),
     await page.getAttribute("#pf-gears", "aria-invalid")]);
  const [field, error] = await page.$$eval(["#pf-gears", "#gears-error"].join(","), (es) => es.map((e) => e.getBoundingClientRect()));
  check("the error is next to the field", true, error.top - field.bottom < 80);
  await page.fill("#pf-gears", "20, 40, 60, 80");
  await page.locator("#pf-gears").blur();
  await ready(page);
  check("put right, the lathe's trains are back", [true, "", ""], [(await page.$$("#trains tbody tr")).length > 0,
    await page.textContent("#gears-error"), await page.textContent("#lathe-fault")]);
  await page.context().close();
}

// --- Stop pressed as the workshop starts (when the status first turns busy):
// the questions go, the readings the page needs (the series to pick from)
// still come.
{
  const page = await openPage(1000, () => document.addEventListener("DOMContentLoaded", () => {
    const status = document.querySelector("#status");
    if (!status) return;  // the chart's printed sheet, a frame of its own
    const watch = new MutationObserver(() => {
      if (status.dataset.state !== "busy") return;
      watch.disconnect();
      document.querySelector("#cancel").click();
    });
    watch.observe(status, { attributes: true });
  }));
  check("Stop as the workshop starts leaves the series to choose from", true,
    (await page.$$("#chart-series input")).length > 5);
  await page.context().close();
}

// --- Ratios says what it read: a target text that is not a plain number is
// read as the dialog reads it (the longest number it starts with; none is 0),
// and a long answer wraps on a phone.
{
  const page = await openPage(375);
  for (const [target, read] of [["0.5", ""], ["1/3", "Target read as 1"], ["abc", "Target read as 0"],
    ["0.25mm", "Target read as 0.25"], ["1e400", "Target read as infinity"]]) {
    await page.fill("#target", target);
    await page.click("#find");
    await ready(page);
    check(`target ${target}: what it was read as, and no sideways scrolling`, [read, 375],
      [await page.textContent("#target-read"), await page.evaluate(() => document.documentElement.scrollWidth)]);
  }
  await page.context().close();
}

// --- The phone layout stays put while work starts and stops; a message about
// a field waits until the field is left.
{
  const page = await openPage(375);
  await setProfile(page, example("metric-1.5mm.json"));
  await page.fill("#thread-target", "1mm");
  // Read in the task of the press (busy) and after the answer.
  const top = () => document.querySelector("#view-threads").getBoundingClientRect().top;
  const before = await page.evaluate(top);
  const during = await page.evaluate(() => {
    document.querySelector("#thread-find").click();
    return [document.querySelector("#status").dataset.state,
      document.querySelector("#view-threads").getBoundingClientRect().top];
  });
  await ready(page);
  check("the view does not move when work starts or ends", [["busy", before], before], [during, await page.evaluate(top)]);
  await findTrains(page, "0.0001mm");
  check("no train: no empty drawing's frame", [0, true], [(await page.$$("#trains tbody tr")).length,
    await page.$eval("#banjo-figure", (f) => f.getBoundingClientRect().height < 150)]);
  await openPanel(page);
  await page.fill("#pf-leadscrew", "");
  await ready(page);
  await page.type("#pf-leadscrew", "16 TP");
  await ready(page);
  const typing = await page.textContent("#profile-error");
  await page.keyboard.press("Tab");
  check("a lead screw's fault waits until the field is left, and speaks the form's words", ["",
    'Lead screw: "16 TP" is not a lead screw (write it as 1.5mm, 8tpi or 0.0625in)'],
    [typing, await page.textContent("#profile-error")]);
  await page.context().close();
}

// --- A lathe without tumbler reverse cuts right-hand threads with simple and
// compound trains (and left-hand ones only with six gears, which five gears
// cannot make): asked for 1/4-20 LH with "also", every row cuts right, the
// other hand, and is marked as plainly as a train that does not fit, and the
// drawing's caption says so; asked for 1/4-20, no row is marked.
{
  const page = await openPage();
  await setProfile(page, JSON.stringify({ name: "Five gears, no tumbler", leadscrew: "8tpi",
    gears: [20, 25, 40, 50, 65], trains: [2, 4, 6], tumbler: false }));
  await page.setChecked("#thread-all", true);
  const rowsFor = async (target) => {
    await findTrains(page, target);
    return page.$$eval("#trains tbody tr", (rs) => rs.map((r) => ({
      kind: r.dataset.kind, cuts: r.dataset.cuts, own: r.dataset.targetHand,
      colour: getComputedStyle(r).color })));
  };
  const left = await rowsFor("1/4-20 LH");
  check("hand: simple and compound trains cut right, the other hand", [true, true],
    [left.length > 0 && left.every((r) => r.kind !== "six" && r.cuts === "right"),
     left.every((r) => r.own === "false")]);
  await page.click('#trains tr[data-target-hand="false"]');
  await ready(page);
  check("hand: the drawing says the chosen train cuts the other hand", true,
    (await page.textContent("#banjo-caption")).includes("cuts a right-hand thread here, not the left-hand thread asked for"));
  const right = await rowsFor("1/4-20");
  // The colour a train that does not fit is shown in.
  const unfit = await page.evaluate(() => {
    const row = document.createElement("tr");
    row.dataset.fits = "false";
    document.querySelector("#trains tbody").append(row);
    const colour = getComputedStyle(row).color;
    row.remove();
    return colour;
  });
  check("hand: marked as plainly as a train that does not fit", [true, true, true],
    [right.length > 0 && right.every((r) => r.own === "true"),
     left.every((r) => r.colour === unfit), right.every((r) => r.colour !== unfit)]);
  await page.context().close();
}

// --- Every width from a small phone to a wide screen: the widest train table
// (every column, "also" ticked) and a chart never scroll sideways or cut a cell.
for (const width of [320, 480, 1024, 1920]) {
  const page = await openPage(width);
  await setProfile(page, example("no-tumbler-8tpi.json"));
  await page.setChecked("#thread-all", true);
  await findTrains(page, "M6 LH");
  await page.click("#tab-chart");
  await page.click("#chart-build");
  await ready(page);
  for (const view of ["threads", "chart"]) {
    await page.click(`#tab-${view}`);
    const cut = await page.evaluate(() => [...document.querySelectorAll("td, th")].filter((c) => c.offsetParent)
      .filter((c) => c.getBoundingClientRect().right > document.documentElement.clientWidth + 0.5).length);
    check(`${width} px, ${view}: no sideways scrolling, no cell cut`, [width, 0],
      [await page.evaluate(() => document.documentElement.scrollWidth), cut]);
  }
  await page.context().close();
}

// --- The drawing's labels, on a phone, as drawn: none across a circle (tip
// or pitch), on a shaft or another label, or cut off, for the first simple,
// the first compound and the last drawn train ("also" ticked: one may not
// fit, with its rules listed) of the example lathes with a banjo.
{
  const page = await openPage(375);
  for (const [lathe, target] of [["metric-1.5mm.json", "4mm"], ["metric-1.5mm.json", "0.1mm/rev"],
    ["metric-2mm.json", "M6"], ["imperial-8tpi.json", "M6"], ["imperial-8tpi.json", "0.004in/rev"]]) {
    await setProfile(page, example(lathe));
    await page.setChecked("#thread-all", true);
    await findTrains(page, target);
    const picked = await page.$$eval("#trains tbody tr:not([data-kind=six])", (rs) => [...new Set(
      [rs.find((r) => r.dataset.kind === "simple"), rs.find((r) => r.dataset.kind === "compound"), rs.at(-1)]
        .filter((r) => r).map((r) => r.dataset.gears))]);
    for (const gears of picked) {
      await page.click(`#trains tr[data-gears="${gears}"]`);
      await ready(page);
      check(`${lathe}, ${target}, train ${gears}: drawn, every label clear`, [true, []], await page.$eval("#banjo", (svg) => {
        const circles = [...svg.querySelectorAll("circle")].map((c) => [c.cx, c.cy, c.r].map((a) => a.baseVal.value));
        const boxes = [...svg.querySelectorAll("text")].map((t) => { const b = t.getBBox(); return [b.x, b.y, b.x + b.width, b.y + b.height, t.textContent]; });
        const v = svg.viewBox.baseVal, found = [];
        boxes.forEach(([x0, y0, x1, y1, name], i) => {
          for (const [x, y, r] of circles) {  // the box's nearest and farthest points from the centre
            const near = Math.hypot(Math.max(x0 - x, 0, x - x1), Math.max(y0 - y, 0, y - y1));
            if (near <= r && r <= Math.hypot(Math.max(x - x0, x1 - x), Math.max(y - y0, y1 - y))) found.push(`${name} on the circle r=${r}`);
          }
          for (const o of boxes.slice(0, i)) if (x0 < o[2] && o[0] < x1 && y0 < o[3] && o[1] < y1) found.push(`${name} on ${o[4]}`);
          if (x0 < v.x || y0 < v.y || x1 > v.x + v.width || y1 > v.y + v.height) found.push(`${name} cut off`);
        });
        return [svg.querySelectorAll("circle.tip").length > 0, found];
      }));
    }
  }
  await page.context().close();
}

// --- Every view, on a phone and a desktop: no sideways scrolling, big
// enough targets, legible drawing labels that never overlap, no axe violation.
for (const width of [375, 768, 1366]) {
  const page = await openPage(width);
  await page.evaluate(axeSource);
  await setProfile(page, example("metric-1.5mm.json"));
  await page.click("#tab-threads");
  await page.setChecked("#thread-all", true);
  await findTrains(page, "4mm");
  await page.click('#trains tr[data-gears="20,20,80,30"]');
  await ready(page);
  const labels = await page.$$eval("#banjo text", (ts) => ts.map((t) => { const r = t.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; }));
  const overlapping = labels.filter((a, i) => labels.some((b, j) => j < i && a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3]));
  check(`${width} px: the drawing's labels do not overlap`, [], overlapping);
  check(`${width} px: the drawing's labels are at least 11 px tall`, [], labels.filter((r) => r[3] - r[1] < 11));
  for (const view of ["ratios", "threads", "chart"]) {
    await page.click(`#tab-${view}`);
    if (view === "ratios") { await page.click("#find"); await ready(page); }
    if (view === "chart") {
      await page.click("#chart-build");
      await ready(page);
      await page.click("#suggest");
      await ready(page);
    }
    await openPanel(page);
    check(`${width} px, ${view}: no wider than the screen`, width, await page.evaluate(() => document.documentElement.scrollWidth));
    const small = await page.$$eval("button, input, select, summary", (es) => es.filter((e) => e.offsetParent)
      .map((e) => [e.id || e.textContent, e.getBoundingClientRect()]).filter(([, r]) => r.width < 24 || r.height < 24).map(([n]) => n));
    check(`${width} px, ${view}: touch targets of 24 px or more`, [], small);
    const { violations } = await page.evaluate(() => axe.run(document, { runOnly: ["wcag2a", "wcag2aa", "wcag21aa", "wcag22aa", "best-practice"] }));
    check(`${width} px, ${view}: no axe violation`, [], violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(" ")}`));
  }
  await page.context().close();
}

await finish("web (lathes)");
