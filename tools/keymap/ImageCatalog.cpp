#include "ImageCatalog.h"

#include "ControlImages.h"
#include "Logo.h"
#include "Spectrum.h"

namespace {

constexpr int ICON = 20;  // icon buttons of the macro editor

// Swatch colours of the colour panel, in the order of its preset radios.
struct PresetSwatch {
    const char* file;
    QColor colour;
};

}  // namespace

std::vector<CatalogImage> UiImages() {
    std::vector<CatalogImage> images{
        {"logo.png", 1, LogoPicture(256)},
        {"logo_48.png", 1, LogoPicture(48)},
        {"spectrum.png", 1, SpectrumPicture()},

        {"btn_min.png", 4, TitleButton(Glyph::Minimise, false)},
        {"btn_max.png", 4, TitleButton(Glyph::Maximise, false)},
        {"btn_restore.png", 4, TitleButton(Glyph::Restore, false)},
        {"btn_close.png", 4, TitleButton(Glyph::Close, true)},
        {"btn_more.png", 4, TitleButton(Glyph::More, false)},

        {"button.png", 4, ButtonFace(false)},
        {"button_primary.png", 4, ButtonFace(true)},
        {"field.png", 4, FieldFace()},
        {"combo_arrow.png", 4, ComboArrow()},

        {"checkex.png", 4, CheckBoxEx()},
        {"check.png", 8, CheckBox8()},
        {"radioex.png", 4, RadioEx()},
        {"radio.png", 8, Radio8()},

        {"slider_groove.png", 1, SliderGroove()},
        {"slider_fill.png", 1, SliderFill()},
        {"slider_thumb.png", 4, SliderThumb()},

        {"tab_item.png", 3, TabItem()},
        {"tab_icons.png", 3, TabIcons()},

        {"state_record.png", 8, RecordIcon(ICON)},
        {"state_ok.png", 4, IconButton(Glyph::Check, ICON)},
        {"state_cancel.png", 4, IconButton(Glyph::Cancel, ICON)},
        {"state_add.png", 4, IconButton(Glyph::Add, ICON)},
        {"state_del.png", 4, IconButton(Glyph::Delete, ICON)},
        {"state_up.png", 4, IconButton(Glyph::Up, ICON)},
        {"state_down.png", 4, IconButton(Glyph::Down, ICON)},
        {"state_clear.png", 4, IconButton(Glyph::Clear, ICON)},
        {"state_import.png", 4, IconButton(Glyph::Import, ICON)},
        {"state_export.png", 4, IconButton(Glyph::Export, ICON)},
        {"state_capture.png", 4, IconButton(Glyph::Capture, ICON)},
    };

    const PresetSwatch swatches[] = {
        {"swatch_auto.png", QColor()},
        {"swatch_0.png", QColor(0x00, 0x00, 0x00)},
        {"swatch_1.png", QColor(0xff, 0x00, 0x00)},
        {"swatch_2.png", QColor(0x00, 0xff, 0x00)},
        {"swatch_3.png", QColor(0x00, 0x00, 0xff)},
        {"swatch_4.png", QColor(0xff, 0xff, 0x00)},
        {"swatch_5.png", QColor(0xff, 0x00, 0xff)},
        {"swatch_6.png", QColor(0x00, 0xff, 0xff)},
        {"swatch_7.png", QColor(0xff, 0xff, 0xff)},
    };
    for (const PresetSwatch& s : swatches) images.push_back({s.file, 4, Swatch(s.colour)});
    return images;
}
