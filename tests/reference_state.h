#pragma once
// The reference town and convention the tests and benchmarks measure against:
// Paris at 48.85 N, 2.35 E, UTC+1 with the Sunday rule, under Fajr 18, Isha
// 17, sunrise/sunset 0.833, Shafi and no offsets. Its 21 December 2008 reads
// 06:45 08:42 12:49 14:40 16:56 18:46.

#include "state/program_state.h"

namespace duskwheel::test {

inline DuskwheelConfigStruct ReferenceConvention() {
    DuskwheelConfigStruct c;
    c.FajrTwilightAngle = 18;
    c.IshaTwilightAngle = 17;
    c.Sunrise_setAngle = 0.833;
    c.AsrShafi = true;
    c.Name = "Reference";
    return c;
}

inline TownData ReferenceParis() {
    return TownData{"France", "Paris", 2.35, 48.85, 1, 0, 1};
}

// Name tables filled, the reference convention as convention 0 and Paris as
// the only town, applied.
inline ProgramState ReferenceState() {
    ProgramState s;
    s.FillNameTables();
    s.Conventions[0] = ReferenceConvention();
    s.TownList.push_back(ReferenceParis());
    s.NumberOfTowns = 1;
    s.ApplyTown(0);
    return s;
}

} // namespace duskwheel::test
