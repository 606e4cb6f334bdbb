#pragma once
// Enumerations shared by the standard controls.

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TBorderStyle { bsNone, bsSingle };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft };
