// The Dividing view's controller: the heads, the head panel that edits the
// current one, and the view's questions on it. A head being edited has one
// source of truth, its text in `heads`; edits go through the plumbing's
// queue, every question is sent once the edits made before it are applied,
// and an answer that comes back for an older head text is dropped.
import { $ } from "./dom.js";
import { TextStore } from "./text_store.js";
import { HeadView } from "./head_view.js";
import { DividingView } from "./dividing.js";
import { connectStore } from "./stores.js";

// The example heads ({file name: text}, the built-in 40:1 head's file
// first) are offered as starting points; a first visit starts with that one.
function headStore(examples) {
  return {
    key: "cogwright.heads", field: "heads", blank: '{\n  "name": "New head"\n}', unnamed: "Head",
    first: Object.values(examples).slice(0, 1),
  };
}

export class DividingController {
  // page: the Plumbing; storage: where the heads are kept.
  constructor(page, storage) {
    this.page = page;
    const workshop = (this.workshop = page.workshop);
    const examples = JSON.parse($("#heads").textContent);
    this.heads = new TextStore(storage, headStore(examples));
    this.headView = new HeadView();
    this.view = new DividingView();
    this.version = 0;  // the head text shown, counted
    page.kept.keep(...["#divide-what", "#divide-top", "#dchart-from", "#dchart-to", "#helix-lead", "#helix-top",
      "#helix-all", "#helix-max-error"].map($));
    // Each question on the head, in the order they are asked again on a new
    // head text, with the question last asked (asked again on a new head
    // text, but a chart: one made for the old head goes).
    const { divide, helix, chart } = this.view;
    this.questions = [
      { on: divide, query: (text, q) => workshop.divide(text, q.what, q.top) },
      { on: helix, query: (text, q) => workshop.helix(text, q.lead, q.top, q.all, q.maxError) },
      { on: chart, query: (text, q) => workshop.divideChart(text, q.from, q.to), forgotten: true },
    ];

    const { heads, headView } = this;
    connectStore(page, heads, headView.controls, {
      examples, rename: () => headView.rename(), check: (text) => workshop.head(text, "head-import"),
    });
    heads.on("change", (text, chosen) => this.head(text, chosen));
    // The edit goes to the head it was made on, whatever is chosen by the
    // time the edits before it are applied.
    headView.bindEdit((apply) => {
      const id = heads.id;
      page.queue(() => heads.set(apply(heads.list.find((h) => h.id === id)?.text ?? ""), id));
    });
    // A new question's old answer goes at once; one that cannot be asked
    // (its refusal shown) drops the answer still to come.
    for (const question of this.questions) {
      question.asked = null;
      question.on.bindAsk((asked) => {
        question.asked = asked;
        if (!asked) return;
        question.on.render(null);
        this.ask(question);
      });
    }
  }

  // Shows the heads; the core is asked once the workshop starts.
  open() {
    this.headView.controls.renderNames(this.heads.names);
    this.headView.render(this.heads.text, true);
  }

  // The kept N's answer is there when the view opens (its count, when not
  // kept, is the core's default).
  start() {
    this.head(this.heads.text, true);
    this.page.ask(() => this.workshop.defaults(), (defaults) => {
      this.view.renderDefaults(defaults);
      this.view.divide.ask();
    }, { reading: true });
  }

  // A head changed, or another chosen: check it, and ask the questions
  // asked before again on it.
  head(text, chosen) {
    ++this.version;
    this.headView.render(text, chosen);
    this.headView.renderCheck(null);
    // The check is answered before the questions (the worker answers in
    // order), so each answer knows whether the head's own line speaks for it.
    this.page.ask(() => this.workshop.head(text), (check) => this.headView.renderCheck(check),
      { reading: true, current: () => this.version });
    for (const question of this.questions) {
      if (question.forgotten) question.asked = null;
      question.on.render(null);
      if (question.asked) this.ask(question);
    }
  }

  ask(question) {
    const asked = question.asked;
    this.page.ask(() => question.query(this.heads.text, asked), (answer) => {
      if (asked !== question.asked) return;  // asked again since, or given up
      question.on.render(answer, this.headView.faulty);
    }, { current: () => this.version });
  }
}
