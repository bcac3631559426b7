// Connects the Dividing view to the heads and to the core, through the
// Page's edit queue: a head being edited has one source of truth, its text
// in `heads`; every question is sent once the edits made before it are
// applied, and an answer that comes back for an older head text is dropped.
import { $ } from "./dom.js";
import { TextStore } from "./text_store.js";
import { HeadView } from "./head_view.js";
import { DividingView } from "./dividing.js";

// The example heads ({file name: text}, the built-in 40:1 head's file
// first) are offered as starting points; a first visit starts with that one.
function headStore(examples) {
  return {
    key: "cogwright.heads", field: "heads", blank: '{\n  "name": "New head"\n}', unnamed: "Head",
    first: Object.values(examples).slice(0, 1),
  };
}

export class DividingPage {
  // page: the Page (its queue, ask, workshop, kept inputs and store controls).
  constructor(page, storage) {
    this.page = page;
    this.workshop = page.workshop;
    const examples = JSON.parse($("#heads").textContent);
    this.heads = new TextStore(storage, headStore(examples));
    this.headView = new HeadView();
    this.view = new DividingView();
    this.version = 0;  // the head text shown, counted
    this.asked = {};  // the questions last asked, by name: asked again on a new head text
    page.kept.keep(...["#divide-what", "#divide-top", "#dchart-from", "#dchart-to", "#helix-lead", "#helix-top",
      "#helix-all", "#helix-max-error"].map($));

    const { heads, headView } = this;
    page.bindStore(heads, headView.controls, examples, () => headView.rename(),
      (text) => this.workshop.head(text, "head-import"));
    heads.on("change", (text, chosen) => this.head(text, chosen));
    // The edit goes to the head it was made on, whatever is chosen by the
    // time the edits before it are applied.
    headView.bindEdit((apply) => {
      const id = heads.id;
      page.queue(() => heads.set(apply(heads.list.find((h) => h.id === id)?.text ?? ""), id));
    });
    // A new question's old answer goes at once; one that cannot be asked
    // (its refusal shown) drops the answer still to come.
    this.view.bindAsk((name, question) => {
      this.asked[name] = question;
      if (!question) return;
      this.view.render(name, null);
      this.ask(name);
    });
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
      this.view.ask("divide");
    }, { reading: true, ofLathe: false });
  }

  // A head changed, or another chosen: check it, and ask the questions
  // asked before again on it; a chart made for the old one goes.
  head(text, chosen) {
    ++this.version;
    this.headView.render(text, chosen);
    this.headView.renderCheck(null);
    // The check is answered before the questions (the worker answers in
    // order), so each answer knows whether the head's own line speaks for it.
    this.page.ask(() => this.workshop.head(text), (check) => this.headView.renderCheck(check),
      { reading: true, ofLathe: false, current: () => this.version });
    this.asked.chart = null;
    for (const name of ["divide", "helix", "chart"]) {
      this.view.render(name, null);
      if (this.asked[name]) this.ask(name);
    }
  }

  ask(name) {
    const question = this.asked[name];
    const text = () => this.heads.text;
    const query = {
      divide: () => this.workshop.divide(text(), question.what, question.top),
      chart: () => this.workshop.divideChart(text(), question.from, question.to),
      helix: () => this.workshop.helix(text(), question.lead, question.top, question.all, question.maxError),
    }[name];
    this.page.ask(query, (answer) => {
      if (question !== this.asked[name]) return;  // asked again since, or given up
      this.view.render(name, answer, this.headView.faulty);
    }, { ofLathe: false, current: () => this.version });
  }
}
