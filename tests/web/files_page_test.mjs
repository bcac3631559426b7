// The user's files on cogwright.html, in Debian's Chromium from disk: a
// stored lathe or head keeps its numbers as written whatever is done to it,
// a file the CLI refuses is refused, and long messages and names wrap
// rather than widen the page. Usage: node files_page_test.mjs PAGE.html
import { check, ready, openPage, finish } from "./harness.mjs";

const [pageFile] = process.argv.slice(2);
// Each store's controls, its stored list, where the core's check of the
// current one is said, and a file of it named `name`.
const kStores = {
  head: { noun: "head", tab: "#tab-dividing", panel: "#head-panel", picker: "#head", import: "#head-import",
          duplicate: "#head-duplicate", name: "#head-name", fault: "#head-check", importError: "#head-import-error",
          key: "cogwright.heads", list: "heads", file: (name) => JSON.stringify({ name, ratio: 40 }) },
  lathe: { noun: "lathe", tab: "#tab-threads", panel: "#lathe-panel", picker: "#lathe", import: "#import",
           duplicate: "#lathe-duplicate", name: "#pf-name", fault: "#profile-error", importError: "#import-error",
           key: "cogwright.lathes", list: "lathes", file: (name) => JSON.stringify({ name, leadscrew: "2mm" }) },
};
async function show(page, store) {
  await page.click(store.tab);
  await page.evaluate((panel) => { document.querySelector(panel).open = true; }, store.panel);
  await ready(page);
}
async function importFile(page, store, name, bytes) {
  await page.setInputFiles(store.import, { name, mimeType: "application/json", buffer: Buffer.from(bytes) });
  await ready(page);
}
const stored = (page, store) => page.evaluate(({ key, list }) => {
  const kept = JSON.parse(localStorage.getItem(key));
  return kept[list].find((item) => item.id === kept.current).text;
}, { key: store.key, list: store.list });
const names = (page, store) => page.$$eval(`${store.picker} option`, (os) => os.map((o) => o.text));

// --- Numbers as written: imported twice (the second renamed), duplicated,
// renamed in its field: every time the figures are the file's, still numbers.
{
  const files = [
    [kStores.head, '{"name":"F","ratio":40,"plates":[[15.00000000000000000,16]],"gears":[24.0000000000000000,48]}',
     (f) => [f.plates[0][0], f.gears[0]], ["15.00000000000000000", "24.0000000000000000"]],
    [kStores.lathe, '{"name":"L","leadscrew":"2mm","gears":[20.00000000000000000,40,60],"centre_distance_mm":60.50,"module":1}',
     (f) => [f.gears[0], f.centre_distance_mm], ["20.00000000000000000", "60.50"]],
  ];
  const page = await openPage(pageFile);
  for (const [store, text, figures, written] of files) {
    await show(page, store);
    const steps = [
      ["imported", () => importFile(page, store, "f.json", text)],
      ["imported again", () => importFile(page, store, "f.json", text)],
      ["duplicated", () => page.click(store.duplicate)],
      ["its name typed", async () => { await show(page, store); await page.fill(store.name, "Typed"); }],
    ];
    for (const [step, act] of steps) {
      await act();
      await ready(page);
      const kept = await stored(page, store);
      check(`${store.list}, ${step}: the figures as written, numbers, and no fault`, [written, ["number", "number"], ""],
        [written.filter((w) => kept.includes(w)), figures(JSON.parse(kept)).map((v) => typeof v),
         await page.textContent(store.fault)]);
    }
  }
  await page.context().close();
}

// --- Bytes the CLI refuses are refused; one byte order mark is fine, as for the CLI.
{
  const page = await openPage(pageFile);
  const bom = "\xef\xbb\xbf";
  const files = [
    ["not UTF-8", '{"name":"A\xff"}', false],
    ["a UTF-8 sequence cut short", '{"name":"A\xe2\x82"}', false],
    ["two byte order marks", `${bom}${bom}{"name":"A"}`, false],
    ["one byte order mark", `${bom}{"name":"Marked"}`, true],
  ];
  for (const store of Object.values(kStores)) {
    await show(page, store);
    for (const [what, bytes, taken] of files) {
      const before = await names(page, store);
      await importFile(page, store, "x.json", Buffer.from(bytes, "latin1"));
      const said = await page.textContent(store.importError);
      check(`${store.list}, a file with ${what}: ${taken ? "taken" : "refused, said"}`,
        taken ? ["", [...before, "Marked"]] : [true, before],
        [taken ? said : said.startsWith(`\u201cx.json\u201d is not a ${store.noun} file: `), await names(page, store)]);
    }
  }
  await page.context().close();
}

// --- Long messages and names, unbroken, with every answer that names the
// lathe or head: at 375 px each wraps; at 1366 px a name of 200 bytes does
// not widen the page.
for (const [width, length] of [[375, 49], [1366, 200]]) {
  const page = await openPage(pageFile, width);
  const name = "N".repeat(length);
  const wide = () => page.evaluate(() => document.documentElement.scrollWidth);
  const asked = async (button, fields) => {
    for (const [id, value] of Object.entries(fields)) await page.fill(id, value);
    await page.click(button);
    await ready(page);
  };
  const cases = [
    [kStores.lathe, { name, leadscrew: "2mm", gears: [20, 40, 60] }, async () => {
      await asked("#thread-find", { "#thread-target": "1mm" });
      const threads = await wide();
      const trains = (await page.$$("#trains tbody tr")).length;
      await page.click("#tab-chart");
      await asked("#chart-build", {});
      return [threads, await wide(), trains > 0 && (await page.$$("#chart table")).length > 0];
    }],
    [kStores.head, { name, ratio: 40, table_leadscrew: "5mm", gears: [24, 28, 32, 40, 44, 48, 56, 64, 72, 86, 100] }, async () => {
      await asked("#divide-find", { "#divide-what": "127" });
      await asked("#helix-find", { "#helix-lead": "250mm" });
      await asked("#dchart-build", { "#dchart-from": "2", "#dchart-to": "10" });
      const answers = await wide();
      await asked("#divide-find", { "#divide-what": "x".repeat(60) });
      await asked("#helix-find", { "#helix-lead": "x".repeat(60) });
      return [answers, await wide(), (await page.textContent("#divide-error")).includes("xxxx") &&
        (await page.textContent("#helix-error")).includes("xxxx")];
    }],
  ];
  for (const [store, file, answers] of cases) {
    await show(page, store);
    await importFile(page, store, "long.json", JSON.stringify(file));
    const named = await wide();
    await importFile(page, store, "bad.json", `{"name": "B", "gears": ${"9".repeat(60)}x}`);
    await page.selectOption(store.picker, { label: name });
    await ready(page);
    check(`${width} px, ${store.list}: named with ${length} bytes, an import refused quoting the file, answers and errors`,
      [width, width, true, width, width, true], [named, await wide(),
        (await page.$$eval(".error", (es) => es.filter((e) => e.offsetParent && e.textContent.includes("9999")).length)) > 0,
        ...await answers()]);
  }
  await page.context().close();
}

await finish("web (files)");
