#include "widgets/PictureWidgets.h"

#include "widgets/CoordButtonImage.h"
#include "widgets/SSImage.h"

namespace SOUI {

PictureWidgetCreators PictureWidgetClasses() {
    return {[]() -> SWindow* { return new CoordButtonImage; },
            []() -> SWindow* { return new SSImage; }};
}

}  // namespace SOUI
