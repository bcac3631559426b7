// The Threads view's controller: its question (a thread or feed on the
// current lathe), the trains the core finds, and the chosen one drawn on
// the banjo. Asked again whenever the lathe changes.
import { $ } from "./dom.js";
import { ThreadsView } from "./threads.js";
import { BanjoView } from "./banjo.js";

export class ThreadsController {
  // workshop: the core's questions; lathes: the Lathes; kept: KeptInputs.
  constructor(workshop, lathes, kept) {
    kept.keep(...["#thread-target", "#starts", "#thread-all"].map($));
    this.workshop = workshop;
    this.lathes = lathes;
    this.view = new ThreadsView();
    this.banjo = new BanjoView();
    this.question = null;  // the question last asked (null: none, or none to ask)
    this.view.bindFind((asked) => {
      this.question = asked;
      if (asked) this.ask();
    });
    this.view.bindSelect((gears) => this.draw(gears));
    lathes.onChange(() => {
      if (this.question) this.ask();
    });
  }

  // The answer for the kept target is there when the view opens.
  start() {
    this.view.ask();
  }

  // The built-in series' sizes, to pick a target from.
  renderSeries(series) {
    this.view.renderSeries(series);
  }

  // An answer to a question no longer asked (another, or one that cannot
  // be) is dropped like one for another lathe.
  ask() {
    const question = this.question;
    const { target, starts, all } = question;
    this.lathes.ask((text) => this.workshop.thread(text, target, starts, all), (answer) => {
      if (question !== this.question) return;
      this.view.render(answer, this.lathes.faulty);
    });
  }

  // gears: the chosen row's tooth counts, or null when none is left.
  draw(gears) {
    if (!gears || !this.question) return this.banjo.render(null);
    const { target, starts } = this.question;
    this.lathes.ask((text) => this.workshop.train(text, gears, target, starts), (answer) => this.banjo.render(answer));
  }
}
