#include "gearcut/gear_job.h"

#include "divider/divide_question.h"
#include "divider/divide_work.h"
#include "gears/fraction_text.h"

namespace cog {

std::string LeadQuestion(double lead_mm) { return FixedText(lead_mm, 3) + "mm"; }

bool MakeGearJob(const GearAsked& asked, const DividingHead& head, GearJob* out,
                 std::string* error) {
  GearJob job;
  job.asked = asked;
  if (!GearFiguresFor(asked, &job.figures, error)) return false;
  // As `divide Z --top 1` answers: the best exact way, else the nearest one.
  const Indexer indexer(head);
  DivideOptions best;
  best.top = best.nearest = 1;
  if (!CheckDivideSteps(indexer, asked.teeth, asked.teeth, error) ||
      !indexer.WaysForDivisions(asked.teeth, best, &job.index, error))
    return false;
  if (job.figures.lead_mm) {
    job.lead_text = LeadQuestion(*job.figures.lead_mm);
    Fraction lead;
    HelixAnswer answer;
    if (!ReadHelixLead(job.lead_text, &lead).ok()) {
      job.helix_why = "the lead is beyond what the head's trains are worked out for";
    } else if (HelixTrains(head, lead, kDefaultHelixErrorPercent, 1, true, &answer,
                           &job.helix_why)) {
      job.helix = answer;
    }
  }
  *out = std::move(job);
  return true;
}

}  // namespace cog
