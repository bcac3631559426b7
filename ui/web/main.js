// The page's start, and how it is put together.
//
// Each view has a View that owns its part of the page (it finds its
// elements, renders what it is given and tells its handlers what the user
// did: view.bindX(handler)) and one controller that connects it to the core,
// given only what it needs:
//   Ratios    RatiosController (ratios.js): its own worker, the ratio table
//   Threads   ThreadsController (threads_controller.js): the workshop, the lathes
//   Chart     ChartController (chart_controller.js): the workshop, the lathes
//   Dividing  DividingController (dividing_controller.js): the plumbing, its heads
//   Gear      GearController (gear_controller.js): the plumbing, Dividing's heads
// The plumbing (plumbing.js) is what they share: the workshop (the core's
// questions, in a worker of their own), the one queue every edit goes
// through, ask() (a question sent once the edits before it are applied, its
// answer dropped when what it was asked on changed meanwhile, or Stop was
// pressed) and the inputs kept from the last visit. Lathes (lathes.js) are
// the lathe panel and the lathes Threads and Chart both work on; a view that
// needs the current lathe asks through it and hears when it changes.
// A controller binds its view in its constructor (keeping its inputs there
// too) and has start() when it asks something as soon as the workshop runs.
// A new view is a View, a controller like these, and a line below.
import { $, fitTables } from "./dom.js";
import { startCoreWorkerAhead } from "./core.js";
import { startTabs } from "./tabs.js";
import { Plumbing } from "./plumbing.js";
import { Lathes } from "./lathes.js";
import { RatiosController } from "./ratios.js";
import { ThreadsController } from "./threads_controller.js";
import { ChartController } from "./chart_controller.js";
import { DividingController } from "./dividing_controller.js";
import { GearController } from "./gear_controller.js";

// This script is in the page's head: the ratio table's worker starts now, so
// the core compiles while the page is still being read, and the rest waits
// for the page's elements. The table is the first thing asked for.
startCoreWorkerAhead();
document.addEventListener("DOMContentLoaded", () => open(storage()));

function storage() {
  try {
    return window.localStorage;
  } catch (e) {
    return null;  // Storage off (some private windows): nothing is kept, the page works on.
  }
}

function open(storage) {
  const page = new Plumbing(storage);
  const lathes = new Lathes(page, storage);
  const threads = new ThreadsController(page.workshop, lathes, page.kept);
  const chart = new ChartController(page.workshop, lathes, page.kept);
  const dividing = new DividingController(page, storage);
  const gear = new GearController(page, dividing.heads);

  // The workshop's worker waits for the ratio table when the page opens on
  // Ratios: two cores are all many machines have, and the table is what the
  // user waits for there.
  let started = false;
  const startWorkshop = () => {
    if (started) return;
    started = true;
    lathes.start();
    threads.start();
    dividing.start();
    gear.start();
    page.ask(() => page.workshop.series(), (series) => {
      chart.renderSeries(series);
      threads.renderSeries(series);
    }, { reading: true });
  };
  const ratios = new RatiosController(page.kept, startWorkshop);

  ratios.open();
  const showTab = startTabs($('[role="tablist"]'), (id) => {
    page.kept.set("view", id);
    fitTables();  // a view's tables had no width while it was hidden
    if (id !== "tab-ratios") startWorkshop();
  });
  lathes.open();
  dividing.open();
  gear.open();
  showTab(page.kept.get("view", "tab-ratios"));
}
