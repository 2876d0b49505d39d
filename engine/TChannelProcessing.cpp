#include "engine/TChannelProcessing.h"

namespace {

using C = TChannelProcessing;
using Computation = C::Computation;
using Result = C::Result;
using Units = C::DerivedUnits;
using Views = C::ViewSet;
using Pane = C::CoherencePane;
using Names = C::Names;

constexpr C::Label Keep{nullptr, Names::None};
constexpr C::Label First{"%s", Names::First};
constexpr C::Label Second{"%s", Names::Second};
constexpr C::Label AverageLabel{"Average of %s and %s", Names::FirstSecond};
constexpr C::Label RealTransfer{"Real Transfer Function (%s/%s)", Names::FirstSecond};
constexpr C::Label Cross{"Cross Spectrum (%s/%s)", Names::FirstSecond};
constexpr C::Label ComplexTransfer{"Complex Transfer Function (%s/%s)", Names::FirstSecond};
constexpr C::Label CoherenceLabel{"Coherence Function", Names::None};
constexpr C::Label Empty{"", Names::None};

// One engine shows in both places for modes 3 to 10: the secondary label is
// the primary's, so that the engine keeps the result's name.
const C::Row Rows[C::ModeCount] = {
    // compute, swapped, right, combined, aux, units, labels, results, views, panes, coherence
    {Computation::Single, false, false, false, false, Units::None, First, Keep, Result::Left, Result::None,
     Views::FirstOnly, 1, Pane::None},
    {Computation::Single, true, true, false, false, Units::None, Keep, First, Result::Right, Result::Right,
     Views::SecondOnly, 1, Pane::None},
    {Computation::Both, false, true, false, false, Units::None, First, Second, Result::Left, Result::Right,
     Views::Both, 2, Pane::None},
    {Computation::Average, false, true, true, false, Units::AverageUnits, AverageLabel, AverageLabel,
     Result::Combined, Result::Combined, Views::FirstOnly, 1, Pane::None},
    {Computation::RealTransfer, false, true, true, false, Units::TransferUnits, RealTransfer, RealTransfer,
     Result::Combined, Result::Combined, Views::FirstOnly, 1, Pane::None},
    {Computation::RealTransfer, true, true, true, false, Units::TransferUnits, RealTransfer, RealTransfer,
     Result::Combined, Result::Combined, Views::FirstOnly, 1, Pane::None},
    {Computation::Cross, false, true, true, false, Units::CrossUnits, Cross, Cross, Result::Combined,
     Result::Combined, Views::FirstOnly, 1, Pane::None},
    {Computation::Cross, true, true, true, false, Units::CrossUnits, Cross, Cross, Result::Combined,
     Result::Combined, Views::FirstOnly, 1, Pane::None},
    {Computation::ComplexTransfer, false, true, true, false, Units::TransferUnits, ComplexTransfer,
     ComplexTransfer, Result::Combined, Result::Combined, Views::FirstOnly, 1, Pane::None},
    {Computation::ComplexTransfer, true, true, true, false, Units::TransferUnits, ComplexTransfer,
     ComplexTransfer, Result::Combined, Result::Combined, Views::FirstOnly, 1, Pane::None},
    {Computation::Coherence, false, true, true, false, Units::CoherenceUnits, CoherenceLabel, CoherenceLabel,
     Result::Combined, Result::Combined, Views::FirstOnly, 1, Pane::Whole},
    {Computation::TransferCoherence, false, true, true, true, Units::TransferUnits, ComplexTransfer,
     CoherenceLabel, Result::Combined, Result::Aux, Views::Both, 2, Pane::Lower},
    {Computation::TransferCoherence, true, true, true, true, Units::TransferUnits, ComplexTransfer,
     CoherenceLabel, Result::Combined, Result::Aux, Views::Both, 2, Pane::Lower},
};

const C::Row Unknown = {Computation::None, false, false, false, false, Units::None, Empty, Empty, Result::Left,
                        Result::Right, Views::FirstOnly, 1, Pane::None};

}

const TChannelProcessing::Row& TChannelProcessing::Of(uint16_t mode)
{
    return IsValid(mode) ? Rows[mode] : Unknown;
}
