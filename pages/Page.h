#pragma once
// What the main view uses of each of its four pages.

#include "device/CommandChannel.h"
#include "model/ParameterImage.h"

#include <QWidget>

namespace tonel {

// The process-wide objects a page works on (the image is the only copy of every value).
struct PageContext {
    ParameterImage& image;
    CommandChannel& channel;
};

class Page : public QWidget {
    Q_OBJECT
public:
    Page(PageContext context, int templateId, QWidget* parent);

    virtual void refreshFromImage() = 0;  // load every control from the image
    virtual void redrawGraph() = 0;       // redraw the page's EQ graph from the image
    virtual void applyControlMode() = 0;  // Easy set for controlMode 0, else refreshFromImage

    int templateId() const { return templateId_; }

protected:
    PageContext context_;

private:
    int templateId_;
};

}  // namespace tonel
