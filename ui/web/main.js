// The page's start: each view owns its part of the page; this file only
// connects them to the core's workers, to the lathes they share and to the
// inputs kept from the last visit.
import { $ } from "./dom.js";
import { Workshop, startCoreWorkerAhead } from "./core.js";
import { status } from "./status.js";
import { startTabs } from "./tabs.js";
import { RatiosView, RatioTable } from "./ratios.js";
import { Lathes, kBlankLathe } from "./lathes.js";
import { KeptInputs } from "./kept_inputs.js";
import { ProfileView } from "./profile_form.js";
import { ThreadsView } from "./threads.js";
import { BanjoView } from "./banjo.js";
import { ChartView } from "./chart.js";

// This script is in the page's head: the ratio table's worker starts now, so
// the core compiles while the page is still being read, and the rest waits
// for the page's elements. The table is the first thing asked for.
startCoreWorkerAhead();
performance.mark("core-started");  // for scripts/bench-web
document.addEventListener("DOMContentLoaded", start);

function start() {
  let storage = null;
  try {
    storage = window.localStorage;
  } catch (e) {
    // Storage off (some private windows): nothing is kept, the page works on.
  }
  const kept = new KeptInputs(storage);
  kept.keep(...["#min-teeth", "#max-teeth", "#target", "#single", "#even",
    "#thread-target", "#starts", "#thread-all"].map($));

  // The ratio table first: the dialog opens at its limits, with no notice at
  // the default ones. The workshop's worker waits for the table when the page
  // opens on Ratios: two cores are all many machines have, and the table is
  // what the user waits for there.
  let workshopStarted = false;
  const startWorkshop = () => {
    if (workshopStarted) return;
    workshopStarted = true;
    lathe(lathes.text, true);
    threads.ask();  // the answer for the kept target is there when the view opens
    loadSeries();
  };
  const ratiosView = new RatiosView();
  const limits = ratiosView.limits;
  new RatioTable(ratiosView, () => startWorkshop()).build(...limits, limits.join() !== "16,72");

  const showTab = startTabs($('[role="tablist"]'), (id) => {
    kept.set("view", id);
    if (id !== "tab-ratios") startWorkshop();
  });

  const workshop = new Workshop();
  status.onCancel(() => {
    workshop.cancel();
    if (workshopStarted && !seriesShown) loadSeries();  // the pickers need it: asked again
  });
  const lathes = new Lathes(storage);
  const profileView = new ProfileView(JSON.parse($("#profiles").textContent));
  const threads = new ThreadsView();
  const banjo = new BanjoView();
  const chart = new ChartView();

  // The question the Threads view last asked (null: none, or none to ask), and
  // when, for scripts/bench-web's "thread-query" measure (to the drawing shown).
  let question = null;
  let askedAt = null;
  const measured = () => {
    if (askedAt !== null) performance.measure("thread-query", { start: askedAt, end: performance.now() });
    askedAt = null;
  };
  const askThreads = () => status.busy(
    workshop.thread(lathes.text, question.target, question.starts, 10, question.all), (answer) => {
      threads.render(answer, profileView.faulty);
      if (!answer.trains?.length) measured();
    });
  threads.bind("find", (asked) => {
    question = asked;
    askedAt = performance.now();
    if (asked) askThreads();
    else measured();
  });
  threads.bind("select", (gears) => {
    if (!gears) return banjo.render(null);
    status.busy(workshop.train(lathes.text, gears, question.target, question.starts), (answer) => {
      banjo.render(answer);
      measured();
    });
  });

  // A lathe changed, or another chosen (`chosen`): check it, and answer the
  // Threads view's question again on it; a chart made for the old one goes.
  const lathe = (text, chosen) => {
    profileView.render(text);
    chart.render(null);
    chart.renderAdvice(null);
    status.busy(workshop.check(text), (check) => {
      profileView.renderCheck(check);
      if (check.error || chosen) profileView.open(Boolean(check.error));
    });
    if (question) askThreads();
  };
  lathes.on("change", lathe);
  lathes.on("list", () => profileView.renderLathes(lathes.names));
  lathes.on("save", (ok) => profileView.renderSaved(ok));
  profileView.bind("edit", (text) => lathes.set(text));
  profileView.bind("add", (text) => lathes.add(text ?? kBlankLathe));
  profileView.bind("select", (id) => lathes.select(id));
  profileView.bind("remove", () => lathes.remove());
  profileView.bind("restore", (gone) => lathes.restore(gone));
  profileView.bind("gears", (text) => workshop.gearList(text));
  profileView.bind("export", () => lathes.text);
  profileView.renderLathes(lathes.names);
  profileView.render(lathes.text);

  // A new question's old answer goes at once: nothing stale stays on show
  // while the new one is worked out, or after it is stopped.
  chart.bind("build", (names) => {
    chart.render(null);
    status.busy(workshop.chart(lathes.text, names), (a) => chart.render(a));
  });
  chart.bind("suggest", (names) => {
    chart.renderAdvice(null);
    status.busy(workshop.suggest(lathes.text, names, 15, 130), (a) => chart.renderAdvice(a));
  });
  chart.bind("choose", (names) => kept.set("series", names));
  let seriesShown = false;
  const loadSeries = () => status.busy(workshop.series(), (series) => {
    chart.renderSeries(series, kept.get("series", ["iso-coarse", "unc"]));
    threads.renderSeries(series);
    seriesShown = true;
  });

  showTab(kept.get("view", "tab-ratios"));
}
