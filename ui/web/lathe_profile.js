// The user's lathe: the profile's JSON text, as `cogwright-cli --profile`
// reads it. The one copy every view asks about, kept in the browser between
// visits.

const kStored = "cogwright.profile";

export class Profile {
  // examples: {file name: text}; the first is the start when nothing is stored.
  constructor(examples) {
    this.examples = examples;
    this.listeners = [];
    let stored = null;
    try {
      stored = localStorage.getItem(kStored);
    } catch (e) {
      // Storage may be off (private windows, file:// in some browsers).
    }
    this.text = stored || examples[Object.keys(examples)[0]];
  }

  onChange(listener) {
    this.listeners.push(listener);
  }

  set(text) {
    this.text = text;
    try {
      localStorage.setItem(kStored, text);
    } catch (e) {
      // As above: the page works on without it.
    }
    for (const listener of this.listeners) listener(text);
  }
}
