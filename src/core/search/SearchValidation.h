#pragma once
// Checking and tidying the search window's criteria before a search and when pages are left.

#include "search/SearchCriteria.h"

#include <QString>

#include <functional>

namespace quorvex {

enum class TCriteriaPage { WhatToSearch, Name, Description, Category, Size, Date, Limit, Settings };

// The checks run when Find is pressed. A complaint first calls showPage (the window makes
// the page active and focuses the field), then asks through the prompt whether to switch
// the criterion off; No cancels the search. May switch the name mode to File Mask and
// rewrite the mask. True when the search may start.
bool ValidateCriteria(TSearchCriteria& criteria, bool duplicatesMode,
                      const std::function<void(TCriteriaPage)>& showPage = {});

bool AnyGroupOn(const TSearchCriteria& criteria);
bool FindEnabled(const TSearchCriteria& criteria, bool duplicatesMode, bool searching);

// Removes ",", "/" and "\"; a "*" absorbs the "*" and "?" that follow it.
QString CleanMask(const QString& mask);

// Leaving "by Name or Type" in mode File Extension: 'TXT,doc' from '*.TXT, doc'.
void NormalizeNamePage(TSearchCriteria& criteria);
// Leaving "by Item Size": a second value below the first swaps the two with their units.
void NormalizeSizePage(TSearchCriteria& criteria);
// Leaving "by Item Date": the two dates and the two times are put in order.
void NormalizeDatePage(TSearchCriteria& criteria);

} // namespace quorvex
