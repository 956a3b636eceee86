// A contact sheet of the artwork in place, for judging it by eye; not used at run time.
#pragma once

#include "AppIcons.h"

#include <QImage>

#include <vector>

namespace Art {

struct ArtworkSet {
    QImage background;
    QImage close;
    QImage add;
    QImage cursor;
    QImage icon16;
    QImage icon32;
    QImage noteCross;
    QImage defaultApp;
    std::vector<NamedIcon> demoIcons;
};

QImage ComposePreview(const ArtworkSet& art);

// The launcher as it would look with `appCount` icons on the page (0 shows the loading state).
QImage ComposeLauncher(const ArtworkSet& art, int appCount);

}  // namespace Art
