// The few things every view does with the document: find its elements,
// make new ones, lay out the core's tables, hand the user a file and print.

export const $ = (selector) => document.querySelector(selector);

// An element with attributes and children (nodes or texts).
export function make(tag, attributes = {}, ...children) {
  const element = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
  element.append(...children);
  return element;
}

// Puts the core's {head, rows} in a table's head and first body, every cell
// text as given, and returns the body's rows. Each cell carries its
// column's heading, for screens where a row is laid out as a card.
export function showCells(table, { head, rows }) {
  table.tHead.replaceChildren(make("tr", {}, ...head.map((h) => make("th", { scope: "col" }, h))));
  table.tBodies[0].replaceChildren(...rows.map((row) =>
    make("tr", {}, ...row.map((c, k) => make("td", { "data-label": head[k] ?? "" }, c)))));
  fitTables(table);
  return [...table.tBodies[0].rows];
}

// Lays each table of cells (class "cards") in `root` out as a table where its
// columns fit the width it has, else as cards, one per row: which depends on
// the cells as much as on the screen (a train table with every column is
// wider than one with few). Call it when a table's cells or width change; a
// hidden or detached table waits for its next call.
export function fitTables(root = document) {
  const tables = root.matches?.("table.cards") ? [root] : root.querySelectorAll("table.cards");
  for (const table of tables) {
    const width = table.parentElement?.clientWidth;
    if (!width) continue;
    table.classList.remove("as-cards");
    table.classList.toggle("as-cards", table.offsetWidth > width);
  }
}
window.addEventListener("resize", () => fitTables());

// A new table of the core's {head, rows}, with a caption when given.
export function cellTable(cells, caption) {
  const table = make("table", { class: "cards" }, make("thead"), make("tbody"));
  if (caption) table.createCaption().textContent = caption;
  showCells(table, cells);
  return table;
}

// Offers `text` as a file to save, exactly as given.
export function download(name, type, text) {
  const link = make("a", { download: name });
  link.href = URL.createObjectURL(new Blob([text], { type }));
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// Prints the core's sheet (`html`), not this page: one layout for paper,
// the CLI's. Laid out in the page's one hidden frame for it.
export function printSheet(html) {
  const frame = $("#chart-sheet");
  frame.onload = () => frame.contentWindow.print();
  frame.srcdoc = html;
}
