// The Gear view: the gear's form, the job sheet as the core words it (what
// `cogwright-cli gear` prints), Print (the core's A4 page) and one tooth
// space drawn to scale from the core's outline, with its labels. Only the
// picture's frame is worked out here.
import { $, make, printSheet } from "./dom.js";
import { ErrorLine } from "./input_fields.js";
import { kHeadFields } from "./head_view.js";

const kSvg = "http://www.w3.org/2000/svg";

// Where the core's errors land: the gear's own fields, and anything of the
// head at the head's list (its fields are in the Dividing view).
const kGearFields = {
  ...Object.fromEntries(Object.keys(kHeadFields).map((k) => [k, ["#gear-head", "Dividing head"]])),
  teeth: ["#gear-teeth", "Teeth"],
  size: ["#gear-size", "Size"],
  module: ["#gear-size", "Module"],
  dp: ["#gear-size", "Diametral pitch"],
  cp: ["#gear-size", "Circular pitch"],
  pressure_angle: ["#gear-pressure", "Pressure angle"],
  helix: ["#gear-helix", "Helix angle and hand"],
  shift: ["#gear-shift", "Profile shift"],
  pin: ["#gear-pin", "Pin diameter"],
};

function draw(name, attributes, parent) {
  const element = document.createElementNS(kSvg, name);
  for (const [k, v] of Object.entries(attributes)) element.setAttribute(k, v);
  parent.append(element);
  return element;
}

export class GearView {
  constructor() {
    this.line = new ErrorLine($("#gear-error"), kGearFields, "head");
    this.sheet = null;
    this.handler = () => {};
    $("#gear-form").addEventListener("submit", (e) => {
      e.preventDefault();
      this.ask();
    });
    $("#gear-print").addEventListener("click", () => printSheet(this.sheet.html));
  }

  // The fields the view keeps from the last visit.
  get fields() {
    return ["#gear-teeth", "#gear-size", "#gear-pressure", "#gear-helix", "#gear-shift", "#gear-pin"].map($);
  }

  // handler(question) when the sheet is asked for.
  bindAsk(handler) {
    this.handler = handler;
  }

  // handler(id) when another head is chosen.
  bindHead(handler) {
    $("#gear-head").addEventListener("change", (e) => handler(Number(e.target.value)));
  }

  ask() {
    this.handler({
      teeth: $("#gear-teeth").value, system: $('input[name="gear-system"]:checked').value,
      size: $("#gear-size").value, pressureAngle: $("#gear-pressure").value, helix: $("#gear-helix").value,
      shift: $("#gear-shift").value, pin: $("#gear-pin").value,
    });
  }

  // The heads to choose from: [{id, name, current}].
  renderHeads(names) {
    $("#gear-head").replaceChildren(...names.map((h) =>
      Object.assign(make("option", { value: String(h.id) }, h.name), { selected: h.current })));
  }

  // An answer (null: none yet, or being asked again).
  render(answer) {
    this.line.show(answer);
    const view = answer && !answer.error ? answer.view : null;
    this.sheet = view;
    $("#gear-print").disabled = !view;
    $("#gear-title").textContent = view?.title ?? "Job sheet";
    $("#gear-sheet").textContent = view?.text ?? "";
    this.drawSpace(view?.drawing ?? null);
  }

  // The space with the tip, pitch and root circles, the depth between the
  // tip and the root, and the cutter's number above it. The core's
  // coordinates are in mm with y up; the picture's y runs down.
  drawSpace(d) {
    const svg = $("#gear-drawing");
    svg.replaceChildren();
    $("#gear-figure").hidden = !d;
    if (!d) return;
    const depth = d.tip_radius - d.root_radius;
    const half = Math.max(...d.outline.map(([x]) => Math.abs(x)));
    const left = -half - 1.2 * depth, right = half + 2.4 * depth;
    const top = -d.tip_radius - 0.5 * depth, bottom = -d.root_radius + 0.4 * depth;
    svg.setAttribute("viewBox", `${left} ${top} ${right - left} ${bottom - top}`);
    const font = String(0.12 * depth);
    const line = { "vector-effect": "non-scaling-stroke" };
    for (const [r, kind] of [[d.tip_radius, "tip"], [d.pitch_radius, "pitch"], [d.root_radius, "root"]])
      draw("circle", { cx: 0, cy: 0, r, class: `circle ${kind}`, ...line }, svg);
    draw("polygon", { points: d.outline.map(([x, y]) => `${x},${-y}`).join(" "), class: "space", ...line }, svg);
    const x = half + 0.3 * depth;
    for (const y of [-d.tip_radius, -d.root_radius])
      draw("line", { x1: x - 0.1 * depth, x2: x + 0.1 * depth, y1: y, y2: y, class: "dim", ...line }, svg);
    draw("line", { x1: x, x2: x, y1: -d.tip_radius, y2: -d.root_radius, class: "dim", ...line }, svg);
    draw("text", { x: x + 0.15 * depth, y: -(d.tip_radius + d.root_radius) / 2, "font-size": font,
      "dominant-baseline": "middle", id: "gear-depth-label" }, svg).textContent = d.depth;
    draw("text", { x: 0, y: -d.tip_radius - 0.2 * depth, "font-size": font, "text-anchor": "middle",
      id: "gear-cutter-label" }, svg).textContent = d.cutter;
    $("#gear-drawing-caption").textContent = `One tooth space, to scale: ${d.caption}; ${d.depth}.`;
  }
}
