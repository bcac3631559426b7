// The Chart view: the best train for every thread of the chosen series on
// the lathe of the Threads view, shown as the core words it; its CSV and its
// printable sheet are the core's too (`cogwright-cli chart --format csv`,
// `--format html`), handed over as they are. And which one gear to add.
import { $, make, cellTable, download } from "./dom.js";
import { ErrorLine } from "./input_fields.js";

const kNoSeries = { error: "Choose at least one series." };

export class ChartView {
  // series: the core's list of built-in series, [{name, title}].
  constructor(series) {
    this.sheet = null;
    this.error = new ErrorLine($("#chart-error"));
    for (const s of series) {
      const box = make("input", { type: "checkbox", value: s.name });
      box.checked = s.name === "iso-coarse" || s.name === "unc";
      $("#chart-series").append(make("label", {}, box, " " + s.title));
    }
    $("#chart-csv").addEventListener("click", () => download("thread-chart.csv", "text/csv", this.sheet.csv));
    $("#chart-print").addEventListener("click", () => this.print());
  }

  // "build" and "suggest": handler(names), the chosen series' names.
  bind(event, handler) {
    const chosen = () => [...$("#chart-series").querySelectorAll("input:checked")].map((c) => c.value);
    const button = { build: "#chart-build", suggest: "#suggest" }[event];
    $(button).addEventListener("click", () => {
      const names = chosen();
      if (names.length) handler(names);
      else this.error.show(kNoSeries);
    });
  }

  render(answer) {
    this.error.show(answer);
    this.sheet = answer.error ? null : answer.view;
    $("#chart-print").disabled = $("#chart-csv").disabled = !this.sheet;
    $("#chart").replaceChildren(...(this.sheet ? this.sheet.sections : []).map((s) =>
      make("section", {}, make("h3", {}, s.title), cellTable(s))));
  }

  renderAdvice(answer) {
    this.error.show(answer);
    $("#advice").replaceChildren(...answer.error ? [] : [cellTable(answer.view, answer.view.caption)]);
  }

  // Prints the core's sheet, not this page: one layout for paper, the CLI's.
  print() {
    const frame = $("#chart-sheet");
    frame.onload = () => frame.contentWindow.print();
    frame.srcdoc = this.sheet.html;
  }
}
