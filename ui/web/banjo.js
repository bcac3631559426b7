// The selected train drawn to scale on the banjo: the stud at the top, the
// lead screw below it at the centre distance, the middle shaft where the two
// pairs of pitch circles meet; pitch and tip circles, shafts, and every fit
// rule that fails in red with its margin. Figures come from trainQuery; only
// the layout is computed here, in floating point, for the picture.
"use strict";

// A profile number: a JSON number or a decimal or fraction text.
function approx(value) {
  if (typeof value === "number") return value;
  const [top, bottom] = String(value).split("/");
  return bottom === undefined ? Number.parseFloat(top) : Number.parseFloat(top) / Number.parseFloat(bottom);
}

const Banjo = {
  svg: "http://www.w3.org/2000/svg",

  element(name, attributes, parent) {
    const e = document.createElementNS(this.svg, name);
    for (const [k, v] of Object.entries(attributes)) e.setAttribute(k, v);
    parent.append(e);
    return e;
  },

  // Which drawn parts each rule is about.
  parts: {
    c_clears_stud: ["C", "stud"], b_clears_leadscrew: ["B", "screw"],
    a_clears_leadscrew: ["A", "screw"], d_clears_stud: ["D", "stud"],
    shaft_reach: ["middle"], shaft_apart: ["middle"], slot: ["middle"], a_clears_d: ["A", "D"],
  },

  draw(profileText, gears, target, starts) {
    const svg = $("#banjo"), caption = $("#banjo-caption"), list = $("#fit-rules");
    svg.replaceChildren();
    list.replaceChildren();
    const answer = JSON.parse(workshop.trainQuery(profileText, gears.join(","), target, starts));
    if (answer.error) {
      caption.textContent = answer.error;
      return;
    }
    if (!answer.fit_checked) {
      caption.textContent = gears.length === 6 ? "Six-gear trains are not drawn: their fit is not checked."
        : "No banjo to draw: the profile gives no module (or dp) and centre distance.";
      return;
    }
    const p = JSON.parse(profileText);
    const m = p.module !== undefined ? approx(p.module) : 25.4 / approx(p.dp);
    const dc = approx(p.centre_distance_mm);
    const stud = approx(p.stud_shaft_mm ?? 0), screw = approx(p.leadscrew_shaft_mm ?? 0);
    const simple = gears.length === 3;
    const [a, b, c, d] = simple ? [gears[0], gears[1], gears[1], gears[2]] : gears;
    const l1 = m * (a + b) / 2, l2 = m * (c + d) / 2;
    // The middle shaft: distance l1 from the stud and l2 from the lead screw.
    const along = (l1 * l1 - l2 * l2 + dc * dc) / (2 * dc);
    const across = Math.sqrt(Math.max(0, l1 * l1 - along * along));
    const at = { stud: [0, 0], middle: [across, along], screw: [0, dc] };
    const wheels = simple
      ? [["A", a, "stud"], ["I", b, "middle"], ["D", d, "screw"]]
      : [["A", a, "stud"], ["B", b, "middle"], ["C", c, "middle"], ["D", d, "screw"]];

    const failing = new Set();
    for (const rule of answer.rules) {
      const item = document.createElement("li");
      item.textContent = `${rule.ok ? "ok" : "SHORT"}: ${rule.text}, ${rule.margin_mm >= 0 ? "+" : ""}${rule.margin_mm.toFixed(3)} mm`;
      if (!rule.ok) {
        item.className = "fail";
        for (const part of this.parts[rule.id] || []) failing.add(part);
      }
      list.append(item);
    }

    let box = [0, 0, 0, 0];
    const grow = (x, y, r) => {
      box = [Math.min(box[0], x - r), Math.min(box[1], y - r), Math.max(box[2], x + r), Math.max(box[3], y + r)];
    };
    for (const [name, teeth, shaft] of wheels) {
      const [x, y] = at[shaft];
      const tip = m * (teeth + 2) / 2;
      grow(x, y, tip);
      const fail = failing.has(name) || (name === "I" && failing.has("middle"));
      this.element("circle", { cx: x, cy: y, r: tip, class: "tip" + (fail ? " fail" : ""), "data-gear": name }, svg);
      this.element("circle", { cx: x, cy: y, r: m * teeth / 2, class: "pitch" }, svg);
      this.element("text", { x: x + tip * 0.15, y: y - tip * 0.55 }, svg).textContent = `${name} ${teeth}`;
    }
    for (const [name, diameter] of [["stud", stud], ["screw", screw], ["middle", 2]]) {
      const [x, y] = at[name];
      const fail = failing.has(name);
      this.element("circle", { cx: x, cy: y, r: Math.max(diameter / 2, 1), class: "shaft" + (fail ? " fail" : "") }, svg);
    }
    // Each failing rule's margin, written beside the first part it is about.
    let line = 0;
    for (const rule of answer.rules.filter((r) => !r.ok)) {
      const part = this.parts[rule.id][0];
      const shaft = wheels.find((w) => w[0] === part)?.[2] ?? part;
      const [x, y] = at[shaft];
      const label = this.element("text", { x: x + 2, y: y + 6 + 6 * line++, class: "fail", "data-rule": rule.id }, svg);
      label.textContent = `${rule.text}: ${rule.margin_mm.toFixed(2)} mm`;
      grow(x + 2 + 2.6 * label.textContent.length, y + 6 * line, 0);
    }
    const pad = 5;
    svg.setAttribute("viewBox", `${box[0] - pad} ${box[1] - pad} ${box[2] - box[0] + 2 * pad} ${box[3] - box[1] + 2 * pad}`);
    caption.textContent = `${answer.train.kind} ${gears.join(" ")} on the banjo, to scale (module ${m.toFixed(3)}, ` +
      `centre distance ${dc} mm)` + (failing.size ? ": does not fit" : ": fits");
  },
};
