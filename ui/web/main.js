// The page's start: each view owns its part of the page; this file only
// connects them to the core and to the one profile they share.
import { $ } from "./dom.js";
import { workshop } from "./core.js";
import { status } from "./status.js";
import { startTabs } from "./tabs.js";
import { RatiosView, RatioTable } from "./ratios.js";
import { Profile } from "./lathe_profile.js";
import { ProfileView } from "./profile_form.js";
import { ThreadsView } from "./threads.js";
import { BanjoView } from "./banjo.js";
import { ChartView } from "./chart.js";

startTabs($('[role="tablist"]'));

// The program opens at the default limits with no notice.
new RatioTable(new RatiosView()).build("16", "72", false);

const profile = new Profile(JSON.parse($("#profiles").textContent));
const profileView = new ProfileView(profile.examples);
// Any target does to read the profile; "1mm" is never at fault.
const check = (text) => profileView.render(text, workshop.thread(text, "1mm", 1, 1, false));
profileView.bind("edit", (text) => profile.set(text));
profile.onChange(check);
check(profile.text);

const threads = new ThreadsView();
const banjo = new BanjoView();
let question = null;
threads.bind("select", (gears) =>
  banjo.render(gears && workshop.train(profile.text, gears, question.target, question.starts)));
threads.bind("find", (asked) => {
  const start = performance.now();
  question = asked;
  status.busy(() => threads.render(
    workshop.thread(profile.text, asked.target, asked.starts, 10, asked.all), profileView.faulty));
  performance.measure("thread-query", { start, end: performance.now() });  // for scripts/bench-web
});

const chart = new ChartView(workshop.series());
chart.bind("build", (names) => status.busy(() => chart.render(workshop.chart(profile.text, names))));
chart.bind("suggest", (names) => status.busy(() => chart.renderAdvice(workshop.suggest(profile.text, names, 15, 130))));
