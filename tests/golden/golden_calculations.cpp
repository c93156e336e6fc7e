// Runs a fixed set of page calculations and writes, for each, its inputs,
// the bits of the values that decide its lines, and the lines it appends or
// the failure it ends with. The output is the same on every machine the
// program is built for; the checked-in copy holds it.
//   golden_calculations                 writes the output to stdout
//   golden_calculations --check FILE    compares it with FILE byte for byte;
//                                       exit status 1 and the first
//                                       differing line when they differ

#include "core/extended.h"
#include "core/failures.h"
#include "core/material_tables.h"
#include "core/read_number.h"
#include "core/sin_degrees.h"
#include "pages/bent_up_bars.h"
#include "pages/local_bearing.h"
#include "pages/no_reinforcement.h"
#include "pages/pull_off.h"
#include "pages/punching.h"
#include "pages/stirrups.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace naklon {
namespace {

const NumberFormat kFormat{".", ","};

std::string hex(std::uint64_t value, int digits)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[value & 15];
    return text;
}

std::string bitsOf(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return hex(bits, 16);
}

// Sign and exponent, then the 64-bit significand with its integer bit.
std::string bitsOf(Extended value)
{
    const ExtendedBits bits = value.bits();
    return hex(bits.signExponent, 4) + ":" + hex(bits.significand, 16);
}

// The values one calculation decides its lines by, in the order it forms
// them; a failure ends the list with its message.
class Figures {
public:
    void add(const char *name, double value) { text_ += std::string(" ") + name + "=" + bitsOf(value); }
    void add(const char *name, Extended value) { text_ += std::string(" ") + name + "=" + bitsOf(value); }
    void fail(const std::string &message) { text_ += " !" + message; }
    const std::string &text() const { return text_; }

private:
    std::string text_;
};

double field(const std::string &text)
{
    std::string_view trimmed(text);
    while (!trimmed.empty() && trimmed.back() == ' ')
        trimmed.remove_suffix(1);
    return readNumber(trimmed).value;
}

double rbtOf(const std::string &concrete)
{
    const auto row = ConcreteClassTable::lookup(field(concrete));
    return row ? row->rbt : 0.0;
}

double rbOf(const std::string &concrete)
{
    const auto row = ConcreteClassTable::lookup(field(concrete));
    return row ? row->rb : 0.0;
}

double rswOf(const std::string &reinforcement)
{
    const auto row = ReinforcementClassTable::lookup(field(reinforcement));
    return row ? row->rsw : 0.0;
}

struct Case {
    std::string title;
    std::function<HistoryLines()> lines;
    std::function<void(Figures &)> figures;
};

std::string joined(std::initializer_list<std::string> texts)
{
    std::string line;
    for (const std::string &text : texts)
        line += "|" + text;
    return line + "|";
}

using E = Extended;

void addStirrups(std::vector<Case> &cases, StirrupsInput in)
{
    const bool check = in.mode == StirrupsMode::Check;
    cases.push_back({std::string("Хомуты ") + (check ? "проверка " : "подбор ")
            + joined({in.concreteClass, in.reinforcementClass, in.spacing, in.value, in.width, in.depth}),
        [in] { return calculateStirrups(in, kFormat); },
        [in, check](Figures &f) {
        const E s(field(in.spacing)), v(field(in.value)), b(field(in.width)), h0(field(in.depth));
        const E rbt(rbtOf(in.concreteClass)), rsw(rswOf(in.reinforcementClass));
        if (check) {
            const E product = ((h0 * h0) * ((E(8.0) * rbt) * b)) * ((rsw * v) / s);
            f.add("Q2", product);
            f.add("Q", squareRoot(product).toDouble());
        } else {
            const E divisor = (h0 * h0) * ((E(8.0) * rbt) * b);
            f.add("Asw", (((v * v) / divisor) * s / rsw).toDouble());
        }
                     }});
}

void addBentUpBars(std::vector<Case> &cases, BentUpBarsInput in)
{
    const bool check = in.mode == BentUpBarsMode::Check;
    cases.push_back({std::string("Отгибы ") + (check ? "проверка " : "подбор ")
            + joined({in.reinforcementClass, in.angle, in.value}),
        [in] { return calculateBentUpBars(in, kFormat); },
        [in, check](Figures &f) {
        const E rsw(rswOf(in.reinforcementClass)), v(field(in.value));
        const E sine = sinDegrees(field(in.angle));
        f.add("sin", sine);
        f.add(check ? "Q" : "A", (check ? sine * (rsw * v) : v / (sine * rsw)).toDouble());
                     }});
}

void addNoReinforcement(std::vector<Case> &cases, NoReinforcementInput in)
{
    const bool slab = in.kind == MemberKind::SolidSlab;
    cases.push_back(
        {std::string("Без арматуры ") + (slab ? "плита " : "балка ") + joined({in.concreteClass, in.width, in.depth}),
            [in] { return calculateNoReinforcement(in, kFormat); },
            [in, slab](Figures &f) {
        const E rbt(rbtOf(in.concreteClass)), b(field(in.width)), h0(field(in.depth));
        const E k1(slab ? 2.5 : 2.0), k2(slab ? 1.5 : 1.2);
        f.add("Q1", (((k1 * rbt) * b) * h0).toDouble());
        f.add("Q2", (((h0 * h0) * ((k2 * rbt) * b)) / (E(2.0) * h0)).toDouble());
         }});
}

void addPullOff(std::vector<Case> &cases, PullOffInput in)
{
    const bool bent = in.reinforcement == PullOffReinforcement::BentUpBars;
    cases.push_back(
        {std::string("Отрыв ") + (bent ? "отгибы " : "хомуты ") + joined({in.reinforcementClass, in.force, in.angle}),
            [in] { return calculatePullOff(in, kFormat); },
            [in, bent](Figures &f) {
        const E rsw(rswOf(in.reinforcementClass)), force(field(in.force));
        if (!bent) {
            f.add("A", (force / rsw).toDouble());
            return;
        }
        const E sine = sinDegrees(in.angle == kPullOffAnglePrompt ? 0.0 : field(in.angle));
        f.add("sin", sine);
        f.add("A", (force / (sine * rsw)).toDouble());
         }});
}

void addPunching(std::vector<Case> &cases, PunchingInput in)
{
    cases.push_back(
        {"Продавливание " + joined({in.concreteClass, in.reinforcementClass, in.force, in.halfPerimeterSum, in.depth}),
            [in] { return calculatePunching(in, kFormat); },
            [in](Figures &f) {
        const E rbt(rbtOf(in.concreteClass)), rsw(rswOf(in.reinforcementClass));
        const E u(field(in.halfPerimeterSum)), h0(field(in.depth));
        const double force = field(in.force);
        const double fb = ((rbt * u) * h0).toDouble();
        f.add("Fb", fb);
        f.add("F", force);
        if (fb < force)
            f.add("Asw", ((E(force) - (rbt * u) * h0) / rsw).toDouble());
         }});
}

void addLocalBearing(std::vector<Case> &cases, LocalBearingInput in)
{
    const bool uniform = in.load == LoadDistribution::Uniform;
    cases.push_back({std::string("Смятие ") + (uniform ? "равномерная " : "неравномерная ")
            + joined({in.concreteClass, in.bearingArea, in.designArea, in.force}),
        [in] { return calculateLocalBearing(in, kFormat); },
        [in, uniform](Figures &f) {
        const E rb(rbOf(in.concreteClass)), bearing(field(in.bearingArea));
        const E ratio = E(field(in.designArea)) / bearing;
        f.add("ratio", ratio);
        const E y = naturalLog(ratio);
        f.add("ln", y);
        const E x = y * E(kOneThird);
        f.add("exp", exponential(x));
        const double phi = bearingCoefficient(ratio);
        f.add("phi", phi);
        f.add("P", (((E(phi) * rb) * E(uniform ? 1.0 : 0.75)) * bearing).toDouble());
        f.add("N", field(in.force));
                     }});
}

// Inputs that an engineer types, and the ones that meet every rule at its
// edge: empty and zero fields, exponents, the ends of the double range.
std::vector<Case> allCases()
{
    std::vector<Case> cases;
    const char *concrete[] = {"15", "20", "25", "30", "35", "40"};
    const char *steel[] = {"240", "300", "400"};

    for (const char *c : concrete) {
        for (const char *r : steel) {
            addStirrups(cases, {c, r, "15", "0.57", "20", "40", StirrupsMode::Check});
            addStirrups(cases, {c, r, "10", "14307.2", "30", "55", StirrupsMode::Selection});
        }
    }
    const StirrupsInput stirrupsEdges[] = {
        {"20", "300", "12.5", "1.01", "25", "37.5", StirrupsMode::Check},
        {"35", "400", "7.5", "2.26", "40", "75", StirrupsMode::Check},
        {"25", "240", "13.33333333333333", "0.785398163397448", "22.5", "47.25", StirrupsMode::Check},
        {"25", "240", "20", "14307.18686233349", "22.5", "47.25", StirrupsMode::Selection},
        {"20", "300", "1.5e1", "5.7E-1", "2e1", "4e1", StirrupsMode::Check},
        {"20", "300", "", "0.57", "20", "40", StirrupsMode::Check},
        {"20", "300", "", "", "", "", StirrupsMode::Check},
        {"20", "300", "15", "-0.57", "20", "40", StirrupsMode::Check},
        {"20", "300", "15", "0.57", "20", "0", StirrupsMode::Check},
        {"20", "300", "15", "1e300", "1e300", "1e300", StirrupsMode::Check},
        {"20", "300", "1e-300", "1e-300", "1e-300", "1e-300", StirrupsMode::Check},
        {"20", "300", "15", "0.57", "1e400", "40", StirrupsMode::Check},
        {"20", "300", "15", "0.57", "20", "1e5000", StirrupsMode::Check},
        {"20", "300", "15", "0.57", "20", "0e6000", StirrupsMode::Check},
        {"20", "300", "15,5", "0.57", "20", "40", StirrupsMode::Check},
        {"", "300", "15", "0.57", "20", "40", StirrupsMode::Check},
        {"20", "", "15", "0.57", "20", "40", StirrupsMode::Check},
        {"20", "300", "10", "20000", "0", "55", StirrupsMode::Selection},
        {"20", "300", "10", "0", "30", "0", StirrupsMode::Selection},
        {"20", "300", "10", "1e200", "30", "55", StirrupsMode::Selection},
        {"20", "300", "10", "2e4", "3e1", "5.5e+1", StirrupsMode::Selection},
        {"20", "300", "10", "1e-300", "1e300", "1e300", StirrupsMode::Selection},
    };
    for (const StirrupsInput &in : stirrupsEdges)
        addStirrups(cases, in);

    const char *angles[] = {"0", "30", "45", "60", "90", "180", "270", "360", "-90", "33.3", "720", "1e3", "1e10",
        "1e15", "1e18", "5e20", "5.28e20", "6e20", "1e300", "0e6000"};
    for (const char *a : angles) {
        addBentUpBars(cases, {"400", a, "2.5", BentUpBarsMode::Check});
        addBentUpBars(cases, {"300", a, "5000", BentUpBarsMode::Selection});
    }
    const BentUpBarsInput bentEdges[] = {
        {"240", "45", "1.57", BentUpBarsMode::Check},
        {"240", "45", "12000", BentUpBarsMode::Selection},
        {"300", "0", "0", BentUpBarsMode::Selection},
        {"300", "", "", BentUpBarsMode::Selection},
        {"300", "45", "1e305", BentUpBarsMode::Check},
        {"300", "45", "1e-300", BentUpBarsMode::Selection},
        {"", "45", "5000", BentUpBarsMode::Selection},
        {"300", "4.5e1", "5E3", BentUpBarsMode::Selection},
    };
    for (const BentUpBarsInput &in : bentEdges)
        addBentUpBars(cases, in);

    for (const char *c : concrete) {
        addNoReinforcement(cases, {c, "100", "18", MemberKind::SolidSlab});
        addNoReinforcement(cases, {c, "30", "55", MemberKind::BeamOrRib});
    }
    const NoReinforcementInput plainEdges[] = {
        {"20", "100", "0", MemberKind::SolidSlab},
        {"20", "", "", MemberKind::BeamOrRib},
        {"20", "1e300", "1e300", MemberKind::SolidSlab},
        {"20", "1e-300", "1e-300", MemberKind::BeamOrRib},
        {"20", "1e2", "1.8E1", MemberKind::SolidSlab},
        {"20", "-100", "18", MemberKind::SolidSlab},
        {"20", "100", "-18", MemberKind::BeamOrRib},
    };
    for (const NoReinforcementInput &in : plainEdges)
        addNoReinforcement(cases, in);

    for (const char *r : steel) {
        addPullOff(cases, {r, "5000", "Угол (град)", PullOffReinforcement::Stirrups});
        for (const char *a : {"60", "45", "30"})
            addPullOff(cases, {r, "5000", a, PullOffReinforcement::BentUpBars});
    }
    const char *pullOffAngles[] = {"0", "90", "180", "360", "1e15", "5e20", "6e20", "Угол (град)", "15.5"};
    for (const char *a : pullOffAngles) {
        addPullOff(cases, {"400", "7500", a, PullOffReinforcement::BentUpBars});
        addPullOff(cases, {"400", "0", a, PullOffReinforcement::BentUpBars});
    }
    const PullOffInput pullOffEdges[] = {
        {"300", "", "Угол (град)", PullOffReinforcement::Stirrups},
        {"300", "1e308", "45", PullOffReinforcement::BentUpBars},
        {"300", "1e-300", "45", PullOffReinforcement::BentUpBars},
        {"300", "7.5e3", "4.5E1", PullOffReinforcement::BentUpBars},
        {"", "5000", "45", PullOffReinforcement::BentUpBars},
    };
    for (const PullOffInput &in : pullOffEdges)
        addPullOff(cases, in);

    for (const char *c : concrete) {
        for (const char *r : steel) {
            addPunching(cases, {c, r, "50000", "200", "20"});
            addPunching(cases, {c, r, "20000", "200", "20"});
        }
    }
    // Exact ties: the force typed as the concrete's resistance itself.
    const PunchingInput punchingEdges[] = {
        {"20", "300", "9174.3", "100", "10"},
        {"15", "300", "7645.2", "100", "10"},
        {"25", "300", "10703.3", "100", "10"},
        {"30", "300", "12232.4", "100", "10"},
        {"35", "300", "13251.7", "100", "10"},
        {"40", "300", "14271.1", "100", "10"},
        {"20", "300", "36697.2", "200", "20"},
        {"20", "300", "9174.300000000001", "100", "10"},
        {"25", "300", "10703.300000000001", "100", "10"},
        {"35", "300", "13251.699999999999", "100", "10"},
        {"20", "300", "36697.200000000004", "200", "20"},
        {"20", "300", "", "", ""},
        {"20", "300", "1", "", ""},
        {"20", "300", "1e300", "1e300", "1e300"},
        {"20", "300", "1e308", "1", "1"},
        {"20", "300", "1e-300", "1e-300", "1e-300"},
        {"20", "300", "5e4", "2e2", "2E1"},
        {"20", "300", "-5000", "200", "20"},
        {"20", "", "50000", "200", "20"},
        {"", "300", "50000", "200", "20"},
    };
    for (const PunchingInput &in : punchingEdges)
        addPunching(cases, in);

    const char *ratios[][2] = {{"100", "800"}, {"200", "1000"}, {"100", "2700"}, {"1", "1000"}, {"100", "100"},
        {"800", "100"}, {"3", "7"}, {"10", "64"}, {"1", "125"}, {"37.5", "412.7"}};
    for (const char *c : concrete) {
        for (const auto &ratio : ratios) {
            addLocalBearing(cases, {c, ratio[0], ratio[1], "20000", LoadDistribution::Uniform});
            addLocalBearing(cases, {c, ratio[0], ratio[1], "20000", LoadDistribution::NonUniform});
        }
    }
    // Exact ties: P equal to N.
    const LocalBearingInput bearingEdges[] = {
        {"20", "100", "800", "23400", LoadDistribution::Uniform},
        {"15", "100", "800", "12900", LoadDistribution::NonUniform},
        {"20", "100", "2700", "35100", LoadDistribution::Uniform},
        {"40", "1", "1000", "2240", LoadDistribution::Uniform},
        {"30", "100", "100", "17300", LoadDistribution::Uniform},
        {"25", "1", "125", "555", LoadDistribution::NonUniform},
        {"35", "10", "640", "7920", LoadDistribution::Uniform},
        {"20", "", "", "", LoadDistribution::Uniform},
        {"20", "", "800", "1", LoadDistribution::Uniform},
        {"20", "100", "", "1", LoadDistribution::Uniform},
        {"20", "-100", "800", "1", LoadDistribution::Uniform},
        {"20", "-100", "-800", "1", LoadDistribution::Uniform},
        {"20", "100", "0e6000", "1", LoadDistribution::Uniform},
        {"40", "1e306", "1e306", "1", LoadDistribution::Uniform},
        {"20", "1e300", "1e-300", "1", LoadDistribution::Uniform},
        {"20", "1e-300", "1e300", "1", LoadDistribution::Uniform},
        {"20", "1e2", "8e2", "2e4", LoadDistribution::Uniform},
        {"20", "100", "800", "1e400", LoadDistribution::Uniform},
        {"", "100", "800", "1", LoadDistribution::Uniform},
    };
    for (const LocalBearingInput &in : bearingEdges)
        addLocalBearing(cases, in);
    return cases;
}

std::string goldenText()
{
    std::string text;
    int number = 0;
    for (const Case &c : allCases()) {
        text += "#" + std::to_string(++number) + " " + c.title + "\n";
        Figures figures;
        try {
            c.figures(figures);
        } catch (const Exception &failure) {
            figures.fail(failure.what());
        }
        text += " bits" + figures.text() + "\n";
        try {
            for (const std::string &line : c.lines())
                text += " > " + line + "\n";
        } catch (const Exception &failure) {
            text += " ! " + std::string(failure.what()) + "\n";
        }
    }
    return text;
}

int check(const std::string &actual, const char *path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return 2;
    }
    const std::string expected((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (actual == expected) {
        std::printf("%s: identical\n", path);
        return 0;
    }
    std::istringstream a(actual);
    std::istringstream e(expected);
    std::string actualLine;
    std::string expectedLine;
    for (int line = 1;; ++line) {
        const bool moreActual = static_cast<bool>(std::getline(a, actualLine));
        const bool moreExpected = static_cast<bool>(std::getline(e, expectedLine));
        if (!moreActual && !moreExpected)
            break;
        if (actualLine != expectedLine || moreActual != moreExpected) {
            std::printf("line %d differs\nexpected: %s\nactual:   %s\n", line, expectedLine.c_str(),
                actualLine.c_str());
            break;
        }
    }
    return 1;
}

} // namespace
} // namespace naklon

int main(int argc, char **argv)
{
    naklon::applyFloatingPointSettings();
    const std::string text = naklon::goldenText();
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0)
        return naklon::check(text, argv[2]);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
