// The lathes the Threads and Chart views work on: the user's lathes, the
// panel that edits the current one, and the questions asked of it.
//
// The lathe being edited has one source of truth, the current lathe's text
// in the store, and one way in: edits are applied one after another in the
// plumbing's queue, in the order they were made (a gear list waits for the
// core's reading of it), and every question is sent once the edits made
// before it are applied. An answer that comes back for an older lathe is
// dropped.
import { $ } from "./dom.js";
import { TextStore, kLatheStore } from "./text_store.js";
import { ProfileView } from "./profile_form.js";
import { connectStore } from "./stores.js";

export class Lathes {
  // page: the Plumbing; storage: where the lathes are kept.
  constructor(page, storage) {
    this.page = page;
    this.workshop = page.workshop;
    this.store = new TextStore(storage, kLatheStore);
    this.view = new ProfileView();
    this.version = 0;  // the lathe shown, counted: answers for an older one are dropped
    this.refused = null;  // {input, error}: a field's value the core refused, still in its field
    this.listeners = [];
    const { store, view } = this;
    store.on("change", (text, chosen) => this.changed(text, chosen));
    view.bindEdit((edit) => this.edit(edit));
    view.bindGears((text) => this.workshop.gearList(text));
    connectStore(page, store, view.controls, {
      examples: JSON.parse($("#profiles").textContent), rename: () => view.rename(),
      check: (text) => this.workshop.profile(text, "import"),
    });
    store.on("list", () => view.renderSummary(store.names));
  }

  // listener() after the current lathe changed or another was chosen, once
  // its check is asked: a view asks its question again, or drops an answer
  // made for the old lathe.
  onChange(listener) {
    this.listeners.push(listener);
  }

  // The lathes and the current one's fields; the core is asked once the
  // workshop starts.
  open() {
    this.view.controls.renderNames(this.store.names);
    this.view.renderSummary(this.store.names);
    this.view.render(this.store.text, null);
  }

  start() {
    this.changed(this.store.text, true);
  }

  // Whether the lathe's own lines speak of a fault (a view leaves it to them).
  get faulty() {
    return this.view.faulty;
  }

  // Asks query(text), text the current lathe's once the edits made before
  // are applied, and shows its answer with show(answer) if that lathe is
  // still the one shown. While a lathe's field holds a refused value its
  // refusal is the answer: nothing is asked of a lathe the form does not
  // show. See Plumbing.ask for `reading`.
  ask(query, show, { reading = false } = {}) {
    return this.page.ask(() => this.refused ?? query(this.store.text), show,
      { reading, current: () => this.version });
  }

  // edit: {apply(text) => text, key} or {refuse: {input, error}}, or a
  // promise of one (null: dropped, a newer edit of the same field follows).
  // The lathe it was made on is still current when it applies: choosing,
  // adding and deleting lathes wait in the same queue.
  edit(edit) {
    this.page.queue(async () => {
      const e = await edit;
      if (!e) return;
      if (e.refuse) this.refused = e.refuse;
      else if (!this.refused || e.key === this.refused.input || e.key === "*") this.refused = null;
      if (e.apply) this.store.set(e.apply(this.store.text));
      else this.changed(this.store.text, false);
    });
  }

  // A lathe changed, or another chosen (`chosen`): check it, then tell the
  // views.
  changed(text, chosen) {
    ++this.version;
    if (chosen) this.refused = null;
    const { view } = this;
    view.render(text, this.refused);
    if (this.refused) {
      view.renderCheck(null);
      view.open(true);
    } else {
      this.ask(() => this.workshop.profile(text), (check) => {
        view.renderCheck(check);
        if (check.error || chosen) view.open(Boolean(check.error));
      }, { reading: true });
    }
    for (const listener of this.listeners) listener();
  }
}
