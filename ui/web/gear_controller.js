// The Gear view's controller: the job sheet for the gear in the form, on a
// head of the Dividing view's (their one list: a head chosen or edited in
// either is the other's). A sheet asked for an older head text, or before
// the form was asked again, is dropped.
import { GearView } from "./gear.js";

export class GearController {
  // page: the Plumbing; heads: the Dividing view's TextStore of heads.
  constructor(page, heads) {
    this.page = page;
    this.heads = heads;
    this.view = new GearView();
    this.version = 0;  // the head text asked on, counted
    this.asked = null;  // the form last asked, or null before the first
    page.kept.keep(...this.view.fields);
    heads.on("list", () => this.view.renderHeads(heads.names));
    heads.on("change", () => {
      ++this.version;
      this.view.renderHeads(heads.names);
      if (this.asked) this.ask();
    });
    this.view.bindHead((id) => page.queue(() => heads.select(id)));
    this.view.bindAsk((asked) => {
      this.asked = asked;
      this.ask();
    });
  }

  open() {
    this.view.renderHeads(this.heads.names);
  }

  // The sheet for the form as it first shows, once the workshop runs.
  start() {
    this.view.ask();
  }

  ask() {
    const asked = this.asked;
    this.view.render(null);
    this.page.ask(() => this.page.workshop.gear(this.heads.text, asked), (answer) => {
      if (asked !== this.asked || !answer) return;  // asked again since, or stopped
      this.view.render(answer);
    }, { current: () => this.version });
  }
}
