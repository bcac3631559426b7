// The Dividing view of cogwright.html in Debian's Chromium, from disk: what
// it shows for a head is what the native cogwright-cli prints for the same
// head file (another build of the same core); heads are kept like lathes
// (new, duplicate, rename, delete and undo, import, export, a reload); an
// edit is never lost and an answer for an older head text never shown; Stop
// drops a question; axe-core finds no violation.
// Usage: node dividing_page_test.mjs PAGE.html CLI HEADS_DIR
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { createRequire } from "node:module";
import { check, ready, openPage as openFile, finish } from "./harness.mjs";

const [pageFile, cli, headsDir] = process.argv.slice(2);
const axeSource = readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");
const openPage = (width, init) => openFile(pageFile, width, init);
const scratch = mkdtempSync(`${tmpdir()}/dividing-`);
let files = 0;
// The CLI's output for `args` on the head `text` (null: its built-in head);
// a failure's message, without the program's and the file's names.
function run(text, args) {
  const head = text === null ? [] : ["--head", `${scratch}/${++files}.json`];
  if (text !== null) writeFileSync(head[1], text);
  try {
    return execFileSync(cli, [...args, ...head], { encoding: "utf8", stdio: "pipe" });
  } catch (e) {
    return { error: e.stderr.replace(/^cogwright-cli: (head \S+: )?/, "").trim() };
  }
}
const example = (name) => readFileSync(`${headsDir}/${name}`, "utf8");
const headsShown = (page) => page.$$eval("#head option", (os) => os.map((o) => (o.selected ? "*" : "") + o.text));
const headText = (page) => page.inputValue("#head-text");
async function useHead(page, name) {
  await page.evaluate(() => { document.querySelector("#head-panel").open = true; });
  await page.selectOption("#head-example", name);
  await page.click("#head-load-example");
  await ready(page);
}
async function submit(page, form, fields) {
  for (const [id, value] of Object.entries(fields)) {
    if (typeof value === "boolean") await page.setChecked(id, value);
    else await page.fill(id, value);
  }
  await page.click(`${form} [type="submit"]`);
  await ready(page);
}
const cells = (page, table) => page.$$eval(`${table} tr`, (rs) => rs.map((r) => [...r.cells].map((c) => c.textContent)));

const words = (text) => text.trim().replace(/\s+/g, " ");
// A row of cells as a text table prints it, padding aside.
const asLine = (row) => words(row.filter((c) => c !== "").join(" "));

// --- What the page shows is what the CLI prints for the same head: the
// built-in head (a first visit's), one with a direct plate, one without gears.
{
  const page = await openPage();
  await page.click("#tab-dividing");
  await ready(page);
  const cases = [
    [null, [["127", "4"], ["6", "5"], ["7°30'", "3"]], ["250mm", "3", false, ""], "2-400"],
    ["60-1-direct-plate.json", [["24", "5"], ["127", "2"], ["7d30m15s", "5"]], ["9.5in", "4", true, "0.01"], "95-105"],
    ["90-1-rotary-table.json", [["127", "5"], ["7.5deg", "5"]], ["250mm", "5", false, ""], "120-130"],
  ];
  for (const [file, divisions, [lead, top, all, maxError], range] of cases) {
    if (file) await useHead(page, file);
    const head = file && example(file);
    const name = file ?? "the built-in head";
    for (const [what, ways] of divisions) {
      await submit(page, "#divide-form", { "#divide-what": what, "#divide-top": ways });
      const expected = run(head, ["divide", what, "--top", ways]);
      const sentences = await page.$$eval("#divide-sentences li", (ls) => ls.map((l) => l.textContent));
      const none = await page.textContent("#divide-none");
      check(`${name}, ${what}: caption, each way's line and why none as the CLI's text`, expected,
        [await page.textContent("#divide-caption"), ...sentences.map((w, k) => `${k + 1}. ${w}`), ...(none ? [none] : [])]
          .map((l) => l + "\n").join(""));
      // The best way's cells are the chart's line for N (an angle has none).
      if (/^\d+$/.test(what)) {
        const line = run(head, ["divide", "--chart", `${what}-${what}`]).trim().split("\n").pop();
        const best = (await cells(page, "#divide-ways"))[1];
        check(`${name}, ${what}: the best way's cells as the CLI's chart line (none when it has no way)`,
          /no (exact )?way: /.test(line) ? "" : words(line).split(" ").slice(2).join(" "), best ? asLine(best.slice(2)) : "");
      }
    }
    await submit(page, "#helix-form", { "#helix-lead": lead, "#helix-top": top, "#helix-all": all, "#helix-max-error": maxError });
    const helix = run(head, ["helix", lead, "--top", top, ...(all ? ["--all"] : []), ...(maxError ? ["--max-error", maxError] : [])]);
    if (helix.error) {
      check(`${name}, helix ${lead}: the CLI's refusal, at the head`, [`Head file: ${helix.error}`, 0],
        [await page.textContent("#helix-error"), (await cells(page, "#helix-trains tbody")).length]);
    } else {
      const rows = await cells(page, "#helix-trains tbody");
      check(`${name}, helix ${lead}: caption and trains as the CLI's text`, words(helix),
        words([await page.textContent("#helix-caption"), ...(rows.length ? [(await cells(page, "#helix-trains thead"))[0]
          .slice(0, -1).join(" ")] : []), ...rows.map(asLine), await page.textContent("#helix-none")].join(" ")));
    }
    const [from, to] = range.split("-");
    await submit(page, "#dchart-form", { "#dchart-from": from, "#dchart-to": to });
    const [download] = await Promise.all([page.waitForEvent("download"), page.click("#dchart-csv")]);
    await page.click("#dchart-print");
    await page.waitForFunction(() => document.querySelector("#chart-sheet").contentDocument?.querySelector("table"));
    const chart = [await page.textContent("#dchart h4"), ...await page.$$eval("#dchart p", (ps) => ps.map((p) => p.textContent)),
      ...(await cells(page, "#dchart table")).map(asLine)];
    check(`${name}, chart ${range}: its texts, CSV and printed sheet as the CLI's`,
      [words(run(head, ["divide", "--chart", range])), run(head, ["divide", "--chart", range, "--format", "csv"]),
       run(head, ["divide", "--chart", range, "--format", "html"])],
      [words(chart.join(" ")), readFileSync(await download.path(), "utf8"),
       await page.$eval("#chart-sheet", (f) => f.srcdoc)]);
  }
  await page.context().close();
}

// --- Heads are kept like lathes: every way in makes a new one, chosen;
// Delete is undone; Export gives the stored text; a reload keeps them all.
{
  const page = await openPage();
  await page.click("#tab-dividing");
  await ready(page);
  check("a first visit starts with the built-in head", ["*40:1 head, three plates"], await headsShown(page));
  const brown = '{"name": "Brown & Sharpe", "ratio": 40, "plates": [[15, 16, 17]]}';
  const file = (name, text) => page.setInputFiles("#head-import", { name, mimeType: "application/json", buffer: Buffer.from(text) });
  const ways = [
    ["Duplicate", () => page.click("#head-duplicate"), "40:1 head, three plates (copy)"],
    ["Rename", async () => { await page.click("#head-rename"); await page.keyboard.type("My head"); }, "My head"],
    ["New head", () => page.click("#head-new"), "New head"],
    ["an example", () => useHead(page, "60-1-direct-plate.json"), "60:1 head with a direct plate"],
    ["a file", () => file("b.json", brown), "Brown & Sharpe"],
    ["the same file again", () => file("b.json", brown), "Brown & Sharpe (2)"],
  ];
  const names = ["40:1 head, three plates"];
  for (const [way, act, name] of ways) {
    await act();
    await ready(page);
    if (way === "Rename") names.pop();
    names.push(name);
    check(`${way}: the list, the new name chosen`, names.map((n) => (n === name ? "*" : "") + n), await headsShown(page));
  }
  // The new head set up in its fields: they write its file, which the CLI reads alike.
  await page.click("#head-new");
  await ready(page);
  for (const [id, value] of [["#hf-ratio", "90:1"], ["#hf-plates", "15, 16, 17; 21, 23"], ["#hf-gears", "24-48/8, 2x56"],
    ["#hf-leadscrew", "5mm"]]) await page.fill(id, value);
  await page.setChecked("#hf-differential", false);
  await page.setChecked("#hf-reverse", true);
  await ready(page);
  const formed = await headText(page);
  check("the fields write the head's file", { name: "New head", ratio: "90:1", plates: [[15, 16, 17], [21, 23]],
    gears: "24-48/8, 2x56", table_leadscrew: "5mm", differential: false, reverse: true }, JSON.parse(formed));
  await submit(page, "#divide-form", { "#divide-what": "7d30m", "#divide-top": "3" });
  check("and the page's answer on it is the CLI's", run(formed, ["divide", "7d30m", "--top", "3"]).split("\n")[0],
    await page.textContent("#divide-caption"));
  await page.click("#head-delete");
  await ready(page);
  await file("lathe.json", '{"name": "A lathe", "leadscrew": "8tpi"}');
  await ready(page);
  check("a file that is not a head is refused, said, and adds nothing", [true, names.length],
    [(await page.textContent("#head-import-error")).startsWith("\u201clathe.json\u201d is not a head file: "),
     (await headsShown(page)).length]);
  const stored = () => page.evaluate(() => {
    const kept = JSON.parse(localStorage.getItem("cogwright.heads"));
    return kept.heads.find((h) => h.id === kept.current).text;
  });
  // Exported: the file as it came in, and one renamed as it was stored.
  for (const label of ["Brown & Sharpe", "Brown & Sharpe (2)"]) {
    await page.selectOption("#head", { label });
    await ready(page);
    const [download] = await Promise.all([page.waitForEvent("download"), page.click("#head-export")]);
    check(`${label}: Export gives the stored text`, [await stored(), label === "Brown & Sharpe" ? brown : { ...JSON.parse(brown), name: label }],
      [readFileSync(await download.path(), "utf8"), label === "Brown & Sharpe" ? await stored() : JSON.parse(await stored())]);
  }
  await page.selectOption("#head", { label: "My head" });
  await ready(page);
  const mine = await headText(page);
  await page.click("#head-delete");
  await ready(page);
  await page.selectOption("#head", { label: "New head" });
  await ready(page);
  await page.click("#head-delete");
  await ready(page);
  check("two deletes", names.filter((n) => n !== "My head" && n !== "New head"), (await headsShown(page)).map((n) => n.replace("*", "")));
  await page.click("#head-undo-button");
  await ready(page);
  await page.click("#head-undo-button");
  await ready(page);
  await page.reload();
  await ready(page);
  await page.click("#tab-dividing");
  await ready(page);
  check("undone, each in its place, the last restored chosen; a reload keeps them",
    [names.map((n) => (n === "My head" ? "*" : "") + n), mine], [await headsShown(page), await headText(page)]);
  await page.context().close();
}

// --- One head being edited: an edit made as a question is asked, or as
// another head comes in, is its head's; no answer for an older text shows.
{
  const page = await openPage();
  await page.click("#tab-dividing");
  await ready(page);
  const sixty = example("60-1-direct-plate.json"), ninety = example("90-1-rotary-table.json");
  // Typed, asked, typed again, all in one task: the answer is the last text's.
  await page.fill("#divide-what", "127");
  await page.evaluate(([first, second]) => {
    const text = document.querySelector("#head-text");
    text.value = first;
    text.dispatchEvent(new Event("input", { bubbles: true }));
    document.querySelector("#divide-find").click();
    text.value = second;
    text.dispatchEvent(new Event("input", { bubbles: true }));
  }, [sixty, ninety]);
  await ready(page);
  check("asked between two edits: the caption and why none of the last text", run(ninety, ["divide", "127", "--top", "5"]),
    [await page.textContent("#divide-caption"), await page.textContent("#divide-none")].map((l) => l + "\n").join(""));
  // Asked, and another head chosen in the same task: only its answer shows.
  await useHead(page, "60-1-direct-plate.json");
  await page.evaluate(() => {
    document.querySelector("#divide-find").click();
    const picker = document.querySelector("#head");
    picker.value = picker.options[0].value;
    picker.dispatchEvent(new Event("change", { bubbles: true }));
  });
  await ready(page);
  check("asked, then another head chosen: the caption is the head chosen's", run(ninety, ["divide", "127", "--top", "5"]).split("\n")[0],
    await page.textContent("#divide-caption"));
  // A file is being read as an import when the user types: the text stays
  // with the head it was typed in, not the one imported.
  const typed = ninety.replace("90:1 rotary table", "Typed table");
  await page.evaluate((typed) => {
    const files = new DataTransfer();
    files.items.add(new File(['{"name": "Imported", "ratio": 60}'], "i.json"));
    const input = document.querySelector("#head-import");
    input.files = files.files;
    input.dispatchEvent(new Event("change", { bubbles: true }));
    const text = document.querySelector("#head-text");
    text.value = typed;
    text.dispatchEvent(new Event("input", { bubbles: true }));
  }, typed);
  await ready(page);
  const texts = () => page.evaluate(() => JSON.parse(localStorage.getItem("cogwright.heads")).heads.map((h) => h.text));
  check("typed as a file is imported: each text is its own head's", [typed, sixty, '{"name": "Imported", "ratio": 60}'],
    await texts());
  await page.reload();
  await ready(page);
  await page.click("#tab-dividing");
  await ready(page);
  check("and a reload keeps them, the imported one chosen", [await texts(), '{"name": "Imported", "ratio": 60}'],
    [[typed, sixty, '{"name": "Imported", "ratio": 60}'], await headText(page)]);
  // A fault is said at the head's text once it is left, never while typing.
  await page.evaluate(() => { document.querySelector("#head-panel").open = true; });
  await page.fill("#head-text", '{"name": "Odd", "ratio": 40, "plates": [[1]]}');
  await ready(page);
  const typing = await page.textContent("#head-check");
  await page.locator("#head-text").blur();
  // The core names the value by its place in the file; beside its field the place goes.
  const fault = run('{"name": "Odd", "ratio": 40, "plates": [[1]]}', ["divide", "6"]).error;
  check("a head's fault waits until its text is left, and is the core's, at the plates' field",
    ["", `Index plates: ${fault.replace(/^"plates"\[0\]\[0\]: /, "")}`, "true"],
    [typing, await page.textContent("#head-check"), await page.getAttribute("#hf-plates", "aria-invalid")]);
  // Stop pressed as a chart is asked for drops it; the next question is answered.
  await page.fill("#head-text", sixty);
  await ready(page);
  check("Stop, pressed as a chart is asked for, says so", "Stopped", await page.evaluate(() => {
    document.querySelector("#dchart-build").click();
    document.querySelector("#cancel").click();
    return document.querySelector("#status").textContent;
  }));
  await submit(page, "#divide-form", { "#divide-what": "6" });
  check("Stop drops the chart, the next question is answered", [0, true],
    [(await cells(page, "#dchart")).length, (await cells(page, "#divide-ways tbody")).length > 0]);
  await page.context().close();
}

// --- A count that is not a whole number is refused at its field, and the
// answer to the question asked just before it, in the same task, never shows.
{
  const page = await openPage();
  await page.click("#tab-dividing");
  await ready(page);
  await page.fill("#dchart-from", "2");
  const cases = [
    ["#divide-find", "#divide-top", "3", "Ways", "#divide-error", "#divide-ways tbody tr"],
    ["#helix-find", "#helix-top", "3", "Trains", "#helix-error", "#helix-trains tbody tr"],
    ["#dchart-build", "#dchart-to", "10", "To", "#dchart-error", "#dchart tbody tr"],
  ];
  for (const [button, field, good, label, error, rows] of cases) {
    for (const count of ["2.5", "1e3", "-1", ""]) {
      await page.fill(field, good);
      await page.evaluate(([button, field, count]) => {
        document.querySelector(button).click();
        document.querySelector(field).value = count;
        document.querySelector(button).click();
      }, [button, field, count]);
      await ready(page);
      check(`${label} "${count}": refused at its field, the answer asked for before dropped`,
        [`${label}: a whole number, such as 5`, "true", 0],
        [await page.textContent(error), await page.getAttribute(field, "aria-invalid"), (await page.$$(rows)).length]);
    }
    await submit(page, button.replace(/-\w+$/, "-form"), { [field]: good });
    check(`${label} ${good}: answered, the refusal gone`, ["", true], [await page.textContent(error), (await page.$$(rows)).length > 0]);
  }
  await page.context().close();
}

// --- Read at the machine: a head's own name with its own article, a helix
// row that always says where it stands against the tolerance (on a phone,
// where the rows are cards), and no headings left over an answer with no rows.
{
  const page = await openPage(375);
  await page.click("#tab-dividing");
  await ready(page);
  await page.evaluate(() => { document.querySelector("#head-panel").open = true; });
  const named = (name) => example("40-1-three-plates.json").replace(/"name": "[^"]*"/, `"name": ${JSON.stringify(name)}`);
  for (const [name, on] of [["My B&S head", "on My B&S head"], ["Bob\u2019s head", "on Bob\u2019s head"],
    ["B&S head", "on the B&S head"], ["Mystery head", "on the Mystery head"]]) {
    await page.fill("#head-text", named(name));
    await ready(page);
    await submit(page, "#divide-form", { "#divide-what": "127", "#divide-top": "2" });
    await submit(page, "#helix-form", { "#helix-lead": "250mm", "#helix-top": "1", "#helix-all": false, "#helix-max-error": "" });
    check(`"${name}": the captions name it ${on}`, [`127 divisions ${on} (ratio 40):`, `Lead 250 mm, right-hand, ${on} (ratio 40),`],
      [(await page.textContent("#divide-caption")).split(" turns")[0].replace(/ 40\/127$/, ""),
       (await page.textContent("#helix-caption")).split(" table")[0]]);
  }
  // 250 mm from a 4 tpi screw through 40:1 (254 mm a turn of the head), by hand:
  // 64/63 cuts 250.03125 mm (+0.0125 %), 175/172 cuts 249.6457 mm (-0.1417 %).
  const last = () => page.$$eval("#helix-trains tbody tr", (rs) => rs.map((r) => [r.lastChild.dataset.label, r.lastChild.textContent]));
  for (const [maxError, expected] of [["", ["within", "within", "within"]],
    ["0.01", ["beyond by 0.0025 %", "beyond by 0.1317 %", "beyond by 0.1317 %"]]]) {
    await submit(page, "#helix-form", { "#helix-lead": "250mm", "#helix-top": "3", "#helix-all": true, "#helix-max-error": maxError });
    check(`375 px, tolerance "${maxError}": each helix card says within or the excess`,
      [true, expected.map((e) => ["tolerance", e])],
      [await page.$eval("#helix-trains", (t) => t.classList.contains("as-cards")), await last()]);
  }
  // A question with no row: its caption and why, no headings; one with rows has them.
  const headings = (table) => page.$$eval(`${table} th`, (hs) => hs.length);
  await submit(page, "#helix-form", { "#helix-all": false, "#helix-max-error": "0.001" });
  check("helix with no train within: why, no headings", [true, 0],
    [(await page.textContent("#helix-none")) !== "", await headings("#helix-trains")]);
  await useHead(page, "90-1-rotary-table.json");
  for (const [what, rows] of [["127", false], ["6", true], ["127", false]]) {
    await submit(page, "#divide-form", { "#divide-what": what });
    check(`${what} on a rotary table without gears: headings only over rows`, [true, rows, rows ? 7 : 0],
      [(await page.textContent("#divide-caption")).startsWith(`${what} divisions on the 90:1`),
       (await page.textContent("#divide-none")) === "", await headings("#divide-ways")]);
  }
  await page.context().close();
}

// --- On a phone and a desktop, with every answer shown: no sideways
// scrolling and no axe violation.
for (const width of [375, 1366]) {
  const page = await openPage(width);
  await page.evaluate(axeSource);
  await page.click("#tab-dividing");
  await ready(page);
  await page.evaluate(() => { document.querySelector("#head-panel").open = true; });
  await submit(page, "#divide-form", { "#divide-what": "127" });
  await submit(page, "#helix-form", { "#helix-lead": "250mm" });
  await submit(page, "#dchart-form", { "#dchart-from": "2", "#dchart-to": "60" });
  check(`${width} px: no wider than the screen`, width, await page.evaluate(() => document.documentElement.scrollWidth));
  const { violations } = await page.evaluate(() => axe.run(document, { runOnly: ["wcag2a", "wcag2aa", "wcag21aa", "wcag22aa", "best-practice"] }));
  check(`${width} px: no axe violation`, [], violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(" ")}`));
  await page.context().close();
}

rmSync(scratch, { recursive: true });
await finish("web (dividing)");
