// The Chart view's controller: a chart of the chosen series on the current
// lathe, and which gear to add. A new question's old answer goes at once:
// nothing stale stays on show while the new one is worked out, or after it
// is stopped; a change of lathe takes both away.
import { ChartView } from "./chart.js";

const kFirstVisit = ["iso-coarse", "unc"];  // the series ticked until the user ticks others

export class ChartController {
  // workshop: the core's questions; lathes: the Lathes; kept: KeptInputs.
  constructor(workshop, lathes, kept) {
    this.kept = kept;
    const view = (this.view = new ChartView());
    view.bindBuild((names) => {
      view.render(null);
      lathes.ask((text) => workshop.chart(text, names), (a) => view.render(a));
    });
    view.bindSuggest((names) => {
      view.renderAdvice(null);
      lathes.ask((text) => workshop.suggest(text, names), (a) => view.renderAdvice(a));
    });
    view.bindChoose((names) => kept.set("series", names));
    lathes.onChange(() => {
      view.render(null);
      view.renderAdvice(null);
    });
  }

  // The built-in series to choose from, those chosen last time ticked.
  renderSeries(series) {
    this.view.renderSeries(series, this.kept.get("series", kFirstVisit));
  }
}
