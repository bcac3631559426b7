// What every view's controller shares: the core's workshop (its questions
// answered in a worker of their own), the one queue every edit is applied
// in, questions sent once the edits made before them are applied, Stop, and
// the inputs kept from the last visit. It knows no view.
import { Workshop } from "./core.js";
import { status } from "./status.js";
import { KeptInputs } from "./kept_inputs.js";

export class Plumbing {
  // storage: localStorage, or null when the browser gives none.
  constructor(storage) {
    this.kept = new KeptInputs(storage);
    this.workshop = new Workshop();
    this.edits = Promise.resolve();  // the edits made so far, applied
    this.stops = 0;  // Stop pressed, counted: a question not yet sent then is dropped
    status.onCancel(() => {
      ++this.stops;
      this.workshop.cancel();
      status.stopped();
    });
  }

  // Asks query() once the edits made so far are applied, and shows its
  // answer with show(answer) if what it was asked on is still the one shown:
  // current() gives that thing's version, read as the question is sent and
  // again when the answer comes (no current: a question of nothing the user
  // edits, always shown). Stop drops the question, sent or not; a reading
  // (`reading`: a file's check, the series' names) is never stopped.
  ask(query, show, { reading = false, current = null } = {}) {
    let asked = null;
    const stops = this.stops;
    const answer = this.edits.then(() => {
      asked = current?.();
      if (stops !== this.stops && !reading) return null;
      return query();
    });
    return status.busy(answer, (a) => (!current || asked === current() ? show(a) : undefined), !reading);
  }

  // Runs step() after the edits made so far, as the next one; busy till then.
  queue(step) {
    this.edits = this.edits.then(step)
      .catch((error) => queueMicrotask(() => { throw error; }));  // seen, and later edits still go in
    status.busy(this.edits, () => {}, false);
  }
}
