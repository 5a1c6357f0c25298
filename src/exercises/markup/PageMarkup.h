#pragma once

#include "platform/browser/Variant.h"

#include <QString>

namespace lectern::exercises {

using platform::Variant;

// Operations of the windows on a lesson page, through the document's
// late-bound members only. Passage k is element "t" + k with click target
// "a" + k; a test page's answer inputs are "q" + j with feedback "f" + j.
// Every missing element raises platform::Error naming it.

// The element with this id, through the document's "all".
Variant FindElement(const Variant& document, const QString& id);
// "comm"/"inscomm" becomes "inscomm", anything else "instext"; the element
// is also marked aria-current, so that a screen reader in the page finds it.
void MarkCurrent(const Variant& element);
// "comm"/"inscomm" becomes "comm", anything else "text"; aria-current goes.
void MarkRest(const Variant& element);
// Clicks "a" + k, then marks "t" + k current; the click comes first.
void ShowPassage(const Variant& document, int k);
// Puts the page's reading point on passage k, where a screen reader reads on.
void FocusPassage(const Variant& document, int k);
// Puts passage i to rest and shows passage k.
void MoveHighlight(const Variant& document, int i, int k);
// Writes the class without looking at the old one ("cycle", "instext", "text").
void SetClass(const Variant& element, const QString& className);

// Test pages.
// The number of input elements of the page.
int InputCount(const Variant& document);
// Input "q" + j, empty or null when the page has none.
Variant FindInput(const Variant& document, int j);
// `rtype` as text ("1" right, "0" wrong); raises when the input has none.
QString InputRtype(const Variant& input);
QString InputName(const Variant& input);
// "Checked" in its text form, "True" or "False".
QString InputChecked(const Variant& input);

// The markup of the whole page inside its root element, with the learner's
// ticks and typed text in it, declaring UTF-8 as its encoding (the snapshot
// is saved as UTF-8, whatever the page was written in).
QString PageSnapshot(const Variant& document);

}  // namespace lectern::exercises
