#pragma once
// The graph's texts: "Arial" in a 14-pixel cell (ascent + descent), in the text colour, without
// anti-aliasing, placed by the top left corner of their cell (QPainter places text by its baseline).

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;

namespace tonel {

class TopLeftText {
public:
    explicit TopLeftText(QFont::Weight weight);
    void draw(QPainter& painter, int left, int top, const QString& text) const;

private:
    QFont font_;
    int ascent_;
};

}  // namespace tonel
