#include "lathe/thread_series.h"

#include <algorithm>

#include "numtext/quoted_text.h"

namespace cog {
namespace {

// One thread a line, so that a correction shows as one changed line and the
// tables read like the published ones.
// clang-format off

// ISO 261 coarse pitches, first and second choice diameters (ISO 262 is the
// first-choice subset). Third-choice sizes such as M9 or M11 are left out.
constexpr ThreadEntry kIsoCoarse[] = {
    {"M1", "0.25mm"},
    {"M1.1", "0.25mm"},
    {"M1.2", "0.25mm"},
    {"M1.4", "0.3mm"},
    {"M1.6", "0.35mm"},
    {"M1.8", "0.35mm"},
    {"M2", "0.4mm"},
    {"M2.2", "0.45mm"},
    {"M2.5", "0.45mm"},
    {"M3", "0.5mm"},
    {"M3.5", "0.6mm"},
    {"M4", "0.7mm"},
    {"M4.5", "0.75mm"},
    {"M5", "0.8mm"},
    {"M6", "1mm"},
    {"M7", "1mm"},
    {"M8", "1.25mm"},
    {"M10", "1.5mm"},
    {"M12", "1.75mm"},
    {"M14", "2mm"},
    {"M16", "2mm"},
    {"M18", "2.5mm"},
    {"M20", "2.5mm"},
    {"M22", "2.5mm"},
    {"M24", "3mm"},
    {"M27", "3mm"},
    {"M30", "3.5mm"},
    {"M33", "3.5mm"},
    {"M36", "4mm"},
    {"M39", "4mm"},
    {"M42", "4.5mm"},
    {"M45", "4.5mm"},
    {"M48", "5mm"},
    {"M52", "5mm"},
    {"M56", "5.5mm"},
    {"M60", "5.5mm"},
    {"M64", "6mm"},
};

// ISO 261 fine pitches for the first and second choice diameters M1 to M64,
// every pitch the table gives, coarsest first. The table marks M30x3 and
// M33x3 "avoid where possible" and restricts M14x1.25 to spark plugs; they
// are kept because a machinist repairing such a thread still has to cut it.
constexpr ThreadEntry kIsoFine[] = {
    {"M1x0.2", "0.2mm"},
    {"M1.1x0.2", "0.2mm"},
    {"M1.2x0.2", "0.2mm"},
    {"M1.4x0.2", "0.2mm"},
    {"M1.6x0.2", "0.2mm"},
    {"M1.8x0.2", "0.2mm"},
    {"M2x0.25", "0.25mm"},
    {"M2.2x0.25", "0.25mm"},
    {"M2.5x0.35", "0.35mm"},
    {"M3x0.35", "0.35mm"},
    {"M3.5x0.35", "0.35mm"},
    {"M4x0.5", "0.5mm"},
    {"M4.5x0.5", "0.5mm"},
    {"M5x0.5", "0.5mm"},
    {"M6x0.75", "0.75mm"},
    {"M7x0.75", "0.75mm"},
    {"M8x1", "1mm"},
    {"M8x0.75", "0.75mm"},
    {"M10x1.25", "1.25mm"},
    {"M10x1", "1mm"},
    {"M10x0.75", "0.75mm"},
    {"M12x1.5", "1.5mm"},
    {"M12x1.25", "1.25mm"},
    {"M12x1", "1mm"},
    {"M14x1.5", "1.5mm"},
    {"M14x1.25", "1.25mm"},
    {"M14x1", "1mm"},
    {"M16x1.5", "1.5mm"},
    {"M16x1", "1mm"},
    {"M18x2", "2mm"},
    {"M18x1.5", "1.5mm"},
    {"M18x1", "1mm"},
    {"M20x2", "2mm"},
    {"M20x1.5", "1.5mm"},
    {"M20x1", "1mm"},
    {"M22x2", "2mm"},
    {"M22x1.5", "1.5mm"},
    {"M22x1", "1mm"},
    {"M24x2", "2mm"},
    {"M24x1.5", "1.5mm"},
    {"M24x1", "1mm"},
    {"M27x2", "2mm"},
    {"M27x1.5", "1.5mm"},
    {"M27x1", "1mm"},
    {"M30x3", "3mm"},
    {"M30x2", "2mm"},
    {"M30x1.5", "1.5mm"},
    {"M30x1", "1mm"},
    {"M33x3", "3mm"},
    {"M33x2", "2mm"},
    {"M33x1.5", "1.5mm"},
    {"M36x3", "3mm"},
    {"M36x2", "2mm"},
    {"M36x1.5", "1.5mm"},
    {"M39x3", "3mm"},
    {"M39x2", "2mm"},
    {"M39x1.5", "1.5mm"},
    {"M42x4", "4mm"},
    {"M42x3", "3mm"},
    {"M42x2", "2mm"},
    {"M42x1.5", "1.5mm"},
    {"M45x4", "4mm"},
    {"M45x3", "3mm"},
    {"M45x2", "2mm"},
    {"M45x1.5", "1.5mm"},
    {"M48x4", "4mm"},
    {"M48x3", "3mm"},
    {"M48x2", "2mm"},
    {"M48x1.5", "1.5mm"},
    {"M52x4", "4mm"},
    {"M52x3", "3mm"},
    {"M52x2", "2mm"},
    {"M52x1.5", "1.5mm"},
    {"M56x4", "4mm"},
    {"M56x3", "3mm"},
    {"M56x2", "2mm"},
    {"M56x1.5", "1.5mm"},
    {"M60x4", "4mm"},
    {"M60x3", "3mm"},
    {"M60x2", "2mm"},
    {"M60x1.5", "1.5mm"},
    {"M64x4", "4mm"},
    {"M64x3", "3mm"},
    {"M64x2", "2mm"},
    {"M64x1.5", "1.5mm"},
};

// ASME B1.1 Unified coarse (UNC). #0 has no coarse thread; #1 to 4 in.
constexpr ThreadEntry kUnc[] = {
    {"#1", "64tpi"},
    {"#2", "56tpi"},
    {"#3", "48tpi"},
    {"#4", "40tpi"},
    {"#5", "40tpi"},
    {"#6", "32tpi"},
    {"#8", "32tpi"},
    {"#10", "24tpi"},
    {"#12", "24tpi"},
    {"1/4", "20tpi"},
    {"5/16", "18tpi"},
    {"3/8", "16tpi"},
    {"7/16", "14tpi"},
    {"1/2", "13tpi"},
    {"9/16", "12tpi"},
    {"5/8", "11tpi"},
    {"3/4", "10tpi"},
    {"7/8", "9tpi"},
    {"1", "8tpi"},
    {"1-1/8", "7tpi"},
    {"1-1/4", "7tpi"},
    {"1-3/8", "6tpi"},
    {"1-1/2", "6tpi"},
    {"1-3/4", "5tpi"},
    {"2", "4.5tpi"},
    {"2-1/4", "4.5tpi"},
    {"2-1/2", "4tpi"},
    {"2-3/4", "4tpi"},
    {"3", "4tpi"},
    {"3-1/4", "4tpi"},
    {"3-1/2", "4tpi"},
    {"3-3/4", "4tpi"},
    {"4", "4tpi"},
};

// ASME B1.1 Unified fine (UNF), #1 to 1-1/2 in, where the fine series ends.
constexpr ThreadEntry kUnf[] = {
    {"#1", "72tpi"},
    {"#2", "64tpi"},
    {"#3", "56tpi"},
    {"#4", "48tpi"},
    {"#5", "44tpi"},
    {"#6", "40tpi"},
    {"#8", "36tpi"},
    {"#10", "32tpi"},
    {"#12", "28tpi"},
    {"1/4", "28tpi"},
    {"5/16", "24tpi"},
    {"3/8", "24tpi"},
    {"7/16", "20tpi"},
    {"1/2", "20tpi"},
    {"9/16", "18tpi"},
    {"5/8", "18tpi"},
    {"3/4", "16tpi"},
    {"7/8", "14tpi"},
    {"1", "12tpi"},
    {"1-1/8", "12tpi"},
    {"1-1/4", "12tpi"},
    {"1-3/8", "12tpi"},
    {"1-1/2", "12tpi"},
};

// BS 84 Whitworth (BSW), 1/8 to 2 in, with the small sizes 1/16, 3/32, 5/32
// and 7/32 of the older Whitworth tables that models and instruments still use.
constexpr ThreadEntry kBsw[] = {
    {"1/16", "60tpi"},
    {"3/32", "48tpi"},
    {"1/8", "40tpi"},
    {"5/32", "32tpi"},
    {"3/16", "24tpi"},
    {"7/32", "24tpi"},
    {"1/4", "20tpi"},
    {"5/16", "18tpi"},
    {"3/8", "16tpi"},
    {"7/16", "14tpi"},
    {"1/2", "12tpi"},
    {"9/16", "12tpi"},
    {"5/8", "11tpi"},
    {"11/16", "11tpi"},
    {"3/4", "10tpi"},
    {"7/8", "9tpi"},
    {"1", "8tpi"},
    {"1-1/8", "7tpi"},
    {"1-1/4", "7tpi"},
    {"1-1/2", "6tpi"},
    {"1-3/4", "5tpi"},
    {"2", "4.5tpi"},
};

// BS 84 British Standard Fine (BSF), 3/16 to 2 in.
constexpr ThreadEntry kBsf[] = {
    {"3/16", "32tpi"},
    {"7/32", "28tpi"},
    {"1/4", "26tpi"},
    {"5/16", "22tpi"},
    {"3/8", "20tpi"},
    {"7/16", "18tpi"},
    {"1/2", "16tpi"},
    {"9/16", "16tpi"},
    {"5/8", "14tpi"},
    {"11/16", "14tpi"},
    {"3/4", "12tpi"},
    {"7/8", "11tpi"},
    {"1", "10tpi"},
    {"1-1/8", "9tpi"},
    {"1-1/4", "9tpi"},
    {"1-3/8", "8tpi"},
    {"1-1/2", "8tpi"},
    {"1-3/4", "7tpi"},
    {"2", "7tpi"},
};

// ISO 228-1 (BS EN ISO 228-1, formerly BS 2779) parallel pipe threads, named
// by their "G" designation.
constexpr ThreadEntry kBsp[] = {
    {"G1/16", "28tpi"},
    {"G1/8", "28tpi"},
    {"G1/4", "19tpi"},
    {"G3/8", "19tpi"},
    {"G1/2", "14tpi"},
    {"G5/8", "14tpi"},
    {"G3/4", "14tpi"},
    {"G7/8", "14tpi"},
    {"G1", "11tpi"},
    {"G1-1/8", "11tpi"},
    {"G1-1/4", "11tpi"},
    {"G1-1/2", "11tpi"},
    {"G1-3/4", "11tpi"},
    {"G2", "11tpi"},
};

// BS 93 British Association, pitch in mm as the standard tabulates it (0.9^n
// rounded to two significant figures), 0BA (largest) to 16BA.
constexpr ThreadEntry kBa[] = {
    {"0BA", "1mm"},
    {"1BA", "0.9mm"},
    {"2BA", "0.81mm"},
    {"3BA", "0.73mm"},
    {"4BA", "0.66mm"},
    {"5BA", "0.59mm"},
    {"6BA", "0.53mm"},
    {"7BA", "0.48mm"},
    {"8BA", "0.43mm"},
    {"9BA", "0.39mm"},
    {"10BA", "0.35mm"},
    {"11BA", "0.31mm"},
    {"12BA", "0.28mm"},
    {"13BA", "0.25mm"},
    {"14BA", "0.23mm"},
    {"15BA", "0.21mm"},
    {"16BA", "0.19mm"},
};

// Model Engineer constant-pitch threads (Whitworth form), as the tap and die
// makers list them: 40 tpi from 1/8 in, 32 tpi from 5/32 in, both to 1/2 in.
constexpr ThreadEntry kMe[] = {
    {"1/8 ME40", "40tpi"},
    {"5/32 ME32", "32tpi"},
    {"5/32 ME40", "40tpi"},
    {"3/16 ME32", "32tpi"},
    {"3/16 ME40", "40tpi"},
    {"7/32 ME32", "32tpi"},
    {"7/32 ME40", "40tpi"},
    {"1/4 ME32", "32tpi"},
    {"1/4 ME40", "40tpi"},
    {"9/32 ME32", "32tpi"},
    {"9/32 ME40", "40tpi"},
    {"5/16 ME32", "32tpi"},
    {"5/16 ME40", "40tpi"},
    {"3/8 ME32", "32tpi"},
    {"3/8 ME40", "40tpi"},
    {"7/16 ME32", "32tpi"},
    {"7/16 ME40", "40tpi"},
    {"1/2 ME32", "32tpi"},
    {"1/2 ME40", "40tpi"},
};

// Worm modules: ISO 54 series I and II from 1 to 6 (the standard starts at 1),
// and below 1 the fine modules in common use (DIN 780 series 1, and 0.75).
constexpr ThreadEntry kModule[] = {
    {"mod0.5", "mod0.5"},
    {"mod0.6", "mod0.6"},
    {"mod0.7", "mod0.7"},
    {"mod0.75", "mod0.75"},
    {"mod0.8", "mod0.8"},
    {"mod0.9", "mod0.9"},
    {"mod1", "mod1"},
    {"mod1.125", "mod1.125"},
    {"mod1.25", "mod1.25"},
    {"mod1.375", "mod1.375"},
    {"mod1.5", "mod1.5"},
    {"mod1.75", "mod1.75"},
    {"mod2", "mod2"},
    {"mod2.25", "mod2.25"},
    {"mod2.5", "mod2.5"},
    {"mod2.75", "mod2.75"},
    {"mod3", "mod3"},
    {"mod3.5", "mod3.5"},
    {"mod4", "mod4"},
    {"mod4.5", "mod4.5"},
    {"mod5", "mod5"},
    {"mod5.5", "mod5.5"},
    {"mod6", "mod6"},
};

// Diametral pitches commonly cut as worms: the usual coarse-pitch steps from 8
// and the fine-pitch standard values up to 64.
constexpr ThreadEntry kDp[] = {
    {"DP8", "dp8"},
    {"DP10", "dp10"},
    {"DP12", "dp12"},
    {"DP14", "dp14"},
    {"DP16", "dp16"},
    {"DP18", "dp18"},
    {"DP20", "dp20"},
    {"DP24", "dp24"},
    {"DP32", "dp32"},
    {"DP40", "dp40"},
    {"DP48", "dp48"},
    {"DP64", "dp64"},
};

// clang-format on

constexpr ThreadSeries kSeries[] = {
    {"iso-coarse", "ISO metric coarse (ISO 261)", kIsoCoarse},
    {"iso-fine", "ISO metric fine (ISO 261)", kIsoFine},
    {"unc", "Unified coarse UNC (ASME B1.1)", kUnc},
    {"unf", "Unified fine UNF (ASME B1.1)", kUnf},
    {"bsw", "British Standard Whitworth (BS 84)", kBsw},
    {"bsf", "British Standard Fine (BS 84)", kBsf},
    {"bsp", "British Standard Pipe, parallel (ISO 228)", kBsp},
    {"ba", "British Association (BS 93)", kBa},
    {"me", "Model Engineer, 32 and 40 tpi", kMe},
    {"module", "Module worms (ISO 54)", kModule},
    {"dp", "Diametral pitch worms", kDp},
};

}  // namespace

std::span<const ThreadSeries> BuiltInSeries() { return kSeries; }

const ThreadSeries* FindSeries(std::string_view name) {
  for (const ThreadSeries& series : kSeries) {
    if (name == series.name) return &series;
  }
  return nullptr;
}

bool ReadSeriesList(const std::vector<std::string>& names, std::vector<const ThreadSeries*>* series,
                    std::string* error) {
  if (names.empty()) return *error = "no series given", false;
  std::vector<const ThreadSeries*> list;
  for (const std::string& name : names) {
    const ThreadSeries* s = FindSeries(name);
    if (!s) return *error = "unknown series " + Quoted(name), false;
    if (std::find(list.begin(), list.end(), s) != list.end())
      return *error = "series " + Quoted(name) + " is named twice", false;
    list.push_back(s);
  }
  *series = std::move(list);
  return true;
}

}  // namespace cog
