// The profile's form fields, kept in step with its JSON text both ways. Only
// the edited key changes; numbers that a double would not hold exactly (more
// than 15 significant digits) are kept as the texts they were written as, so
// an edit never changes another figure.
"use strict";
const ProfileForm = {
  fields: [...document.querySelectorAll("#profile-form input")],

  parse(text) {
    const exactly = (key, value, context) => {
      if (typeof value !== "number" || !context || !context.source) return value;
      const digits = context.source.replace(/^-/, "").replace(/e.*$/i, "").replace(".", "").replace(/^0+/, "");
      return digits.length > 15 ? context.source : value;
    };
    try {
      const value = JSON.parse(text, exactly);
      return value && typeof value === "object" && !Array.isArray(value) ? value : null;
    } catch (e) {
      return null;
    }
  },

  // A number where JSON takes one exactly, else the text (a fraction, say).
  value(text) {
    return /^-?\d{1,15}(\.\d+)?$/.test(text) && text.replace(/[-.]/g, "").replace(/^0+/, "").length <= 15
      ? Number(text) : text;
  },

  show(text) {
    const profile = this.parse(text);
    if (!profile) return;
    for (const field of this.fields) {
      const v = profile[field.dataset.key];
      if (document.activeElement === field) continue;
      field.value = v === undefined ? "" : Array.isArray(v) ? v.join(", ") : String(v);
    }
  },

  edit(field) {
    const profile = this.parse($("#profile").value) || {};
    const text = field.value.trim();
    const key = field.dataset.key;
    if (text === "") {
      delete profile[key];
    } else if (field.dataset.kind === "text") {
      profile[key] = text;
    } else if (field.dataset.kind === "number") {
      profile[key] = this.value(text);
    } else {
      profile[key] = text.split(/[\s,]+/).filter((x) => x !== "").map((x) => this.value(x));
    }
    // Lists of numbers stay on one line, as people write them.
    $("#profile").value = JSON.stringify(profile, null, 2)
      .replace(/\[\s+([^[\]{}]*?)\s+\]/g, (list, items) => "[" + items.split(/,\s*/).join(", ") + "]");
    Threads.checkProfile();
  },
};
for (const field of ProfileForm.fields) field.addEventListener("input", () => ProfileForm.edit(field));
ProfileForm.show($("#profile").value);
