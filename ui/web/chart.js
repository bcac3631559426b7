// The Chart view: the best train for every thread of the chosen series on
// the current lathe, shown as the core words it; its CSV and its printable
// sheet are the core's too (`cogwright-cli chart --format csv`, `--format
// html`), handed over as they are. And which one gear to add.
import { $, make, cellTable, download, fitTables, printSheet } from "./dom.js";
import { ErrorLine } from "./input_fields.js";

const kNoSeries = { error: "Choose at least one series." };
// Sections of a chart laid out between frames, so a chart of every series
// never holds the page for long.
const nextFrame = () => new Promise((resolve) => setTimeout(resolve, 0));

export class ChartView {
  constructor() {
    this.sheet = null;
    this.error = new ErrorLine($("#chart-error"));
    this.shown = 0;  // which render is current: an older one stops laying out
    $("#chart-csv").addEventListener("click", () => download("thread-chart.csv", "text/csv", this.sheet.csv));
    $("#chart-print").addEventListener("click", () => printSheet(this.sheet.html));
  }

  // The core's list of built-in series, [{name, title}], as check boxes;
  // `chosen`: the names ticked.
  renderSeries(series, chosen) {
    $("#chart-series").replaceChildren(...series.map((s) => {
      const box = make("input", { type: "checkbox", value: s.name });
      box.checked = chosen.includes(s.name);
      return make("label", {}, box, " " + s.title);
    }));
  }

  // Make chart: handler(names), the chosen series' names.
  bindBuild(handler) {
    this.onButton("#chart-build", handler);
  }

  // Which gear to buy: handler(names), the chosen series' names.
  bindSuggest(handler) {
    this.onButton("#suggest", handler);
  }

  // handler(names) when the ticks change.
  bindChoose(handler) {
    $("#chart-series").addEventListener("change", () => handler(this.chosen));
  }

  get chosen() {
    return [...$("#chart-series").querySelectorAll("input:checked")].map((c) => c.value);
  }

  onButton(button, handler) {
    $(button).addEventListener("click", () => {
      const names = this.chosen;
      if (names.length) handler(names);
      else this.error.show(kNoSeries);
    });
  }

  // answer: the core's chart, or null to clear it (the lathe changed).
  async render(answer) {
    const mine = ++this.shown;
    this.error.show(answer);
    this.sheet = answer && !answer.error ? answer.view : null;
    $("#chart-print").disabled = $("#chart-csv").disabled = !this.sheet;
    $("#chart").replaceChildren(...(this.sheet ? this.sheet.header : []).map(
      (line, k) => make(k ? "p" : "h3", { class: k ? "chart-header" : "" }, line)));
    for (const s of this.sheet ? this.sheet.sections : []) {
      const section = make("section", {}, make("h3", {}, s.title), cellTable(s));
      $("#chart").append(section);
      fitTables(section);
      await nextFrame();
      if (mine !== this.shown) return;
    }
  }

  renderAdvice(answer) {
    this.error.show(answer);
    const view = !answer || answer.error ? null : answer.view;
    $("#advice").replaceChildren(...!view ? [] : [cellTable(view, view.caption)],
      ...(view && view.none ? [make("p", { role: "status" }, view.none)] : []));
    fitTables($("#advice"));
  }
}
