#include "ui/handles.h"

#include <commctrl.h>

namespace ui {

void ImageListTraits::close(HIMAGELIST h)
{
    ImageList_Destroy(h);
}

}  // namespace ui
