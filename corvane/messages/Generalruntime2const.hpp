#pragma once
// Second group of the message catalogue: the tools' messages about searching, lists,
// sorting, statistics, text conversion, downloads, printing, files and folders.
//
// Each entry is a constant msg::CVxxx naming the catalogue identifier _CVxxx (and
// msg::WESEpisodes for _WESEpisodes); fetch its current text with LoadResString or
// msg::text. The four identifiers this group shares with the first (_CVNo, _CVL, _CVR,
// _CVCentre) are the same entries, declared by Generalruntime1const.hpp, which this header
// includes.

#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/messages/Generalruntime2const_ids.hpp"
#include "corvane/messages/Message_catalogue.hpp"
