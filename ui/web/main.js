// The page's start: each view owns its part of the page; the Page controller
// only connects them to the core's workers, to the lathes they share and to
// the inputs kept from the last visit.
import { $, fitTables } from "./dom.js";
import { Workshop, startCoreWorkerAhead } from "./core.js";
import { status } from "./status.js";
import { startTabs } from "./tabs.js";
import { RatiosView, RatioTable } from "./ratios.js";
import { TextStore, kLatheStore, nameOf } from "./text_store.js";
import { renamed } from "./json_text.js";
import { KeptInputs } from "./kept_inputs.js";
import { ProfileView } from "./profile_form.js";
import { ThreadsView } from "./threads.js";
import { BanjoView } from "./banjo.js";
import { ChartView } from "./chart.js";
import { DividingPage } from "./dividing_page.js";

// This script is in the page's head: the ratio table's worker starts now, so
// the core compiles while the page is still being read, and the rest waits
// for the page's elements. The table is the first thing asked for.
startCoreWorkerAhead();
performance.mark("core-started");  // for scripts/bench-web
document.addEventListener("DOMContentLoaded", () => new Page(storage()).open());

function storage() {
  try {
    return window.localStorage;
  } catch (e) {
    return null;  // Storage off (some private windows): nothing is kept, the page works on.
  }
}

// The lathe being edited has one source of truth, the current lathe's text
// in `lathes`, and one way in: edits are applied one after another in the
// order they were made (a gear list waits for the core's reading of it), and
// every question is sent once the edits made before it are applied. An
// answer that comes back for an older lathe is dropped.
class Page {
  constructor(storage) {
    this.kept = new KeptInputs(storage);
    this.kept.keep(...["#min-teeth", "#max-teeth", "#target", "#single", "#even",
      "#thread-target", "#starts", "#thread-all"].map($));
    this.workshop = new Workshop();
    this.lathes = new TextStore(storage, kLatheStore);
    this.profileView = new ProfileView();
    this.threads = new ThreadsView();
    this.banjo = new BanjoView();
    this.chart = new ChartView();
    this.workshopStarted = false;
    this.edits = Promise.resolve();  // the edits made so far, applied
    this.version = 0;  // the lathe shown, counted: answers for an older one are dropped
    this.refused = null;  // {input, error}: a field's value the core refused, still in its field
    // The question the Threads view last asked (null: none, or none to ask), and
    // when, for scripts/bench-web's "thread-query" measure (to the drawing shown).
    this.question = null;
    this.askedAt = null;

    this.stops = 0;  // Stop pressed, counted: a question not yet sent then is dropped
    status.onCancel(() => {
      ++this.stops;
      this.workshop.cancel();
      status.stopped();
    });
    this.bindThreads();
    this.bindLathes();
    this.bindChart();
    this.dividing = new DividingPage(this, storage);
  }

  // The ratio table first: the dialog opens at its limits, with no notice at
  // the default ones. The workshop's worker waits for the table when the page
  // opens on Ratios: two cores are all many machines have, and the table is
  // what the user waits for there.
  open() {
    const ratiosView = new RatiosView();
    const limits = ratiosView.limits;
    new RatioTable(ratiosView, () => this.startWorkshop()).build(...limits, limits.join() !== "16,72");
    const showTab = startTabs($('[role="tablist"]'), (id) => {
      this.kept.set("view", id);
      fitTables();  // a view's tables had no width while it was hidden
      if (id !== "tab-ratios") this.startWorkshop();
    });
    this.profileView.controls.renderNames(this.lathes.names);
    this.profileView.renderSummary(this.lathes.names);
    this.profileView.render(this.lathes.text, null);
    this.dividing.open();
    showTab(this.kept.get("view", "tab-ratios"));
  }

  startWorkshop() {
    if (this.workshopStarted) return;
    this.workshopStarted = true;
    this.lathe(this.lathes.text, true);
    this.threads.ask();  // the answer for the kept target is there when the view opens
    this.dividing.start();
    this.ask(() => this.workshop.series(), (series) => {
      this.chart.renderSeries(series, this.kept.get("series", ["iso-coarse", "unc"]));
      this.threads.renderSeries(series);
    }, { reading: true, ofLathe: false });
  }

  // Asks query() once the edits made so far are applied, and shows its
  // answer with show(answer) if what it was asked on is still the one shown:
  // `current()` gives its version (the lathe's unless said; null: a question
  // of nothing the user edits, always shown). While a lathe's field holds a
  // refused value its refusal is the answer: nothing is asked of a lathe the
  // form does not show. Stop drops the question, sent or not. A reading
  // (`reading`: the lathe's check, the series' names) is never stopped.
  ask(query, show, { reading = false, ofLathe = true, current = ofLathe ? () => this.version : null } = {}) {
    let asked = null;
    const stops = this.stops;
    const answer = this.edits.then(() => {
      asked = current?.();
      if (stops !== this.stops && !reading) return null;
      return this.refused && ofLathe ? this.refused : query();
    });
    return status.busy(answer, (a) => (!current || asked === current() ? show(a) : undefined), !reading);
  }

  // Runs step() after the edits made so far, as the next one; busy till then.
  queue(step) {
    this.edits = this.edits.then(step)
      .catch((error) => queueMicrotask(() => { throw error; }));  // seen, and later edits still go in
    status.busy(this.edits, () => {}, false);
  }

  // edit: {apply(text) => text, key} or {refuse: {input, error}}, or a
  // promise of one (null: dropped, a newer edit of the same field follows).
  // The lathe it was made on is still current when it applies: choosing,
  // adding and deleting lathes wait in the same queue.
  edit(edit) {
    this.queue(async () => {
      const e = await edit;
      if (!e) return;
      if (e.refuse) this.refused = e.refuse;
      else if (!this.refused || e.key === this.refused.input || e.key === "*") this.refused = null;
      if (e.apply) this.lathes.set(e.apply(this.lathes.text));
      else this.lathe(this.lathes.text, false);
    });
  }

  bindThreads() {
    const measured = () => {
      if (this.askedAt !== null) performance.measure("thread-query", { start: this.askedAt, end: performance.now() });
      this.askedAt = null;
    };
    // An answer to a question no longer asked (another, or one that cannot
    // be) is dropped like one for another lathe.
    this.askThreads = () => {
      const question = this.question;
      const { target, starts, all } = question;
      this.ask(() => this.workshop.thread(this.lathes.text, target, starts, all), (answer) => {
        if (question !== this.question) return;
        this.threads.render(answer, this.profileView.faulty);
        if (!answer.trains?.length) measured();
      });
    };
    this.threads.bindFind((asked) => {
      this.question = asked;
      this.askedAt = performance.now();
      if (asked) this.askThreads();
      else measured();
    });
    this.threads.bindSelect((gears) => {
      if (!gears || !this.question) return this.banjo.render(null);
      const { target, starts } = this.question;
      this.ask(() => this.workshop.train(this.lathes.text, gears, target, starts), (answer) => {
        this.banjo.render(answer);
        measured();
      });
    });
  }

  // A lathe changed, or another chosen (`chosen`): check it, and answer the
  // Threads view's question again on it; a chart made for the old one goes.
  lathe(text, chosen) {
    ++this.version;
    if (chosen) this.refused = null;
    this.profileView.render(text, this.refused);
    this.chart.render(null);
    this.chart.renderAdvice(null);
    if (this.refused) {
      this.profileView.renderCheck(null);
      this.profileView.open(true);
    } else {
      this.ask(() => this.workshop.profile(text), (check) => {
        this.profileView.renderCheck(check);
        if (check.error || chosen) this.profileView.open(Boolean(check.error));
      }, { reading: true });
    }
    if (this.question) this.askThreads();
  }

  bindLathes() {
    const { lathes, profileView } = this;
    lathes.on("change", (text, chosen) => this.lathe(text, chosen));
    profileView.bindEdit((edit) => this.edit(edit));
    profileView.bindGears((text) => this.workshop.gearList(text));
    this.bindStore(lathes, profileView.controls, JSON.parse($("#profiles").textContent), () => profileView.rename(),
      (text) => this.workshop.profile(text, "import"));
    lathes.on("list", () => profileView.renderSummary(lathes.names));
  }

  // The list's controls over a store (lathes, heads): every change in the
  // edit queue, so an edit made before it is applied to its own text.
  // check(text): the core's reading of a file (see importText).
  bindStore(store, controls, examples, rename, check) {
    store.on("list", () => controls.renderNames(store.names));
    store.on("save", (ok) => controls.renderSaved(ok));
    controls.bindAdd((text) => this.queue(() => store.add(text ?? undefined)), () => store.text, examples);
    controls.bindSelect((id) => this.queue(() => store.select(id)), rename);
    controls.bindRemove(() => this.queue(() => {
      store.remove();
      controls.renderDeleted(store.deletedNames, true);
    }), () => this.queue(() => {
      store.restore();
      controls.renderDeleted(store.deletedNames, false);
    }));
    controls.bindExport(() => store.text);
    controls.bindImport((text, file) => this.importText(store, controls, check, text, file));
  }

  // Only a file the core reads as one of the store's becomes one (values not
  // yet given are allowed: one being set up); a name already taken is numbered.
  importText(store, controls, check, text, file) {
    controls.renderImport(null);
    this.queue(async () => {
      const t = await text;
      const answer = await check(t);
      if (!answer) return;
      if (answer.error && !answer.missing) {
        controls.renderImport(`\u201c${file}\u201d is not a ${controls.noun} file: ${answer.error}`);
        return;
      }
      const name = nameOf(t);
      const free = name && store.freeName(name);
      store.add(free === name ? t : renamed(t, free));
    });
  }

  // A new question's old answer goes at once: nothing stale stays on show
  // while the new one is worked out, or after it is stopped.
  bindChart() {
    this.chart.bindBuild((names) => {
      this.chart.render(null);
      this.ask(() => this.workshop.chart(this.lathes.text, names), (a) => this.chart.render(a));
    });
    this.chart.bindSuggest((names) => {
      this.chart.renderAdvice(null);
      this.ask(() => this.workshop.suggest(this.lathes.text, names), (a) => this.chart.renderAdvice(a));
    });
    this.chart.bindChoose((names) => this.kept.set("series", names));
  }
}
