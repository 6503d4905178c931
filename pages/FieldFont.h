#pragma once
// Narrow fields (band columns, some read-outs) take a font small enough for their widest text to
// show without scrolling.

#include <QFont>
#include <QStringList>
#include <initializer_list>

class QLineEdit;

namespace tonel {

class PageControls;

// The field's font, made smaller in half points (not below 6 pt) until every text fits inside the
// field's frame and text margins.
QFont fontFitting(const QLineEdit& field, const QStringList& texts);

// Every frequency text of the Microphone, Music and System pages' band fields.
QStringList pageFrequencyTexts();

// Gives every listed field of `controls` the font in which `texts` fit the first of them.
void fitFieldFont(const PageControls& controls, std::initializer_list<int> fieldIds, const QStringList& texts);

}  // namespace tonel
