// The chosen train drawn to scale on the banjo, as the core lays it out:
// pitch and tip circles, the shafts, and every fit rule that fails in red
// with its margin. Coordinates are the core's; only the labels' placement
// and the picture's frame are worked out here.
import { $, make } from "./dom.js";
import { ErrorLine } from "./input_fields.js";

const kSvg = "http://www.w3.org/2000/svg";
const kNoTrain = "Select a train to see it on the banjo.";

function draw(name, attributes, parent) {
  const element = document.createElementNS(kSvg, name);
  for (const [k, v] of Object.entries(attributes)) element.setAttribute(k, v);
  parent.append(element);
  return element;
}

export class BanjoView {
  constructor() {
    this.svg = $("#banjo");
    this.caption = new ErrorLine($("#banjo-caption"));
    this.rules = $("#fit-rules");
  }

  // answer: trainQuery's, or null when no train is chosen.
  render(answer) {
    this.svg.replaceChildren();
    this.rules.replaceChildren();
    this.caption.show(answer);
    if (!answer) this.caption.element.textContent = kNoTrain;
    if (!answer || answer.error) return;
    const { caption, rules, drawing } = answer.view;
    this.caption.element.textContent = caption;
    for (const [word, text, margin] of rules)
      this.rules.append(make("li", word === "ok" ? {} : { class: "fail" }, `${word}: ${text}, ${margin}`));
    if (drawing) this.drawTrain(drawing, rules.filter((r) => r[0] !== "ok"));
  }

  // shortRules: the view's rows of the failing rules, in the order of
  // drawing.failing (both list the core's failing rules in its order).
  drawTrain({ shafts, wheels, failing }, shortRules) {
    const at = Object.fromEntries(shafts.map((s) => [s.name, s]));
    const broken = new Set(failing.flatMap((f) => f.parts));
    let box = [0, 0, 0, 0];
    const grow = (x, y, r) => {
      box = [Math.min(box[0], x - r), Math.min(box[1], y - r), Math.max(box[2], x + r), Math.max(box[3], y + r)];
    };
    for (const w of wheels) {
      const { x, y } = at[w.shaft];
      // The idler is the middle shaft's one wheel: a rule on where that shaft sits is about it.
      const fail = broken.has(w.name) || (w.name === "I" && broken.has(w.shaft));
      grow(x, y, w.tip_radius);
      draw("circle", { cx: x, cy: y, r: w.tip_radius, class: fail ? "tip fail" : "tip", "data-gear": w.name }, this.svg);
      draw("circle", { cx: x, cy: y, r: w.pitch_radius, class: "pitch" }, this.svg);
      draw("text", { x: x + w.tip_radius * 0.15, y: y - w.tip_radius * 0.55 }, this.svg).textContent = `${w.name} ${w.teeth}`;
    }
    for (const s of shafts)
      draw("circle", { cx: s.x, cy: s.y, r: s.radius, class: broken.has(s.name) ? "shaft fail" : "shaft" }, this.svg);
    // Each failing rule's margin beside the first part it is about.
    failing.forEach((rule, line) => {
      const part = rule.parts[0];
      const { x, y } = at[wheels.find((w) => w.name === part)?.shaft ?? part];
      const [, text, margin] = shortRules[line];
      const label = draw("text", { x: x + 2, y: y + 6 + 6 * line, class: "fail", "data-rule": rule.id }, this.svg);
      label.textContent = `${text}: ${margin}`;
      grow(x + 2 + 2.6 * label.textContent.length, y + 6 * (line + 1), 0);
    });
    const pad = 5;
    this.svg.setAttribute("viewBox", `${box[0] - pad} ${box[1] - pad} ${box[2] - box[0] + 2 * pad} ${box[3] - box[1] + 2 * pad}`);
  }
}
