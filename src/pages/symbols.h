#pragma once

#include "pages/formula_text.h"

// The symbols of the pages' formulas, each written once.
namespace naklon::symbols {

inline const Symbol s{"s"};
inline const Symbol b{"b"};
inline const Symbol u{"u"};
inline const Symbol h0{"h", "0"};
inline const Symbol theta{"θ"};
inline const Symbol Q{"Q"};
inline const Symbol Q1{"Q", "1"};
inline const Symbol Q2{"Q", "2"};
inline const Symbol k1{"k", "1"};
inline const Symbol k2{"k", "2"};
inline const Symbol A{"A"};
inline const Symbol As{"A", "s"};
inline const Symbol Asw{"A", "sw"};
inline const Symbol F{"F"};
inline const Symbol Fb{"F", "b"};
inline const Symbol Fsm{"F", "см"};
inline const Symbol Fr{"F", "р"};
inline const Symbol N{"N"};
inline const Symbol P{"P"};
inline const Symbol psi{"ψ"};
inline const Symbol phi{"φ"};
inline const Symbol Rb{"R", "b"};
inline const Symbol Rbt{"R", "bt"};
inline const Symbol Rsw{"R", "sw"};

} // namespace naklon::symbols
