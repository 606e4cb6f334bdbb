#pragma once
// The standard controls, for code that uses several of them.
#include "toolkit/win/button.h"
#include "toolkit/win/check_box.h"
#include "toolkit/win/combo_box.h"
#include "toolkit/win/edit.h"
#include "toolkit/win/group_box.h"
#include "toolkit/win/label.h"
#include "toolkit/win/list_box.h"
#include "toolkit/win/panel.h"
#include "toolkit/win/radio_button.h"
#include "toolkit/win/radio_group.h"
#include "toolkit/win/rich_edit.h"
#include "toolkit/win/track_bar.h"
