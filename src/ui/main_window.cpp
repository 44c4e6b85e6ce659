#include "ui/main_window.h"

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "app/fatal_error.h"
#include "app/lifecycle.h"
#include "assets/pictures.h"
#include "formation/query.h"
#include "formation/tables.h"
#include "links/open_site_page.h"
#include "links/site_pages.h"
#include "ui/drop_down_list.h"
#include "ui/gbk.h"
#include "ui/owned.h"
#include "ui/picture_bitmap.h"
#include "ui/picture_box.h"
#include "ui/push_button.h"
#include "ui/transparent_label.h"
#include "ui/window_class.h"

namespace {

constexpr wchar_t mainWindowClass[] = L"FormationFinderWindow";
constexpr wchar_t programIconName[] = L"DEFAULT_ICON";
constexpr DWORD mainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

struct PictureOfControl {
    ControlId id;
    std::span<const std::uint8_t> jpeg;
};

const std::array<PictureOfControl, 5>& controlPictures() {
    static const std::array<PictureOfControl, 5> pictures = {{
        {ControlId::headerPanel, headerPicture},
        {ControlId::selectionPanel, selectionPanelPicture},
        {ControlId::resultPanel, resultPanelPicture},
        {ControlId::linksPanel, linksPanelPicture},
        {ControlId::queryButton, queryButtonPicture},
    }};
    return pictures;
}

struct SitePageButton {
    ControlId id;
    SitePage page;
};

constexpr std::array<SitePageButton, 3> sitePageButtons = {{
    {ControlId::moreToolsButton, SitePage::moreTools},          // 按钮2
    {ControlId::gameGuidesButton, SitePage::gameGuides},        // 按钮4
    {ControlId::officialForumButton, SitePage::officialForum},  // 按钮3
}};

struct MainWindow {
    HWND window = nullptr;
    std::array<HWND, controlCount + 1> controls{};  // by ControlId; [0] is the window itself
    std::array<OwnedFont, static_cast<std::size_t>(FontRole::count)> fonts;
    OwnedFont buttonFont;
    OwnedBrush listBrush;
    OwnedBitmap queryPicture;
    OwnedIcon largeIcon;
    OwnedIcon smallIcon;
    int listItemHeight = 0;
    HWND lastFocus = nullptr;

    HWND control(ControlId id) const { return controls[static_cast<std::size_t>(id)]; }
    HFONT font(FontRole role) const { return fonts[static_cast<std::size_t>(role)].get(); }
};

// The query's view of the window: list selections in, label captions out, as GBK.
class WindowTexts final : public ControlTexts {
  public:
    explicit WindowTexts(const MainWindow& window) : window(window) {}

    std::string text(ControlId id) const override {
        HWND control = window.control(id);
        if (definitionOf(id).kind == ControlKind::dropDownList) {
            // With no item selected CB_GETCURSEL answers CB_ERR, which reads as the empty text.
            const auto selected = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
            return toGbk(listItemText(control, selected));
        }
        std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
        caption.resize(static_cast<std::size_t>(
            GetWindowTextW(control, caption.data(), static_cast<int>(caption.size()))));
        return toGbk(caption);
    }

    void setText(ControlId id, std::string_view gbk) override {
        SetWindowTextW(window.control(id), fromGbk(gbk).c_str());
    }

  private:
    const MainWindow& window;
};

COLORREF colorOf(Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

OwnedFont makeFont(const FontSpec& wanted) {
    const std::wstring face = fromGbk(wanted.face);
    return OwnedFont(CreateFontW(-wanted.height, 0, 0, 0, wanted.weight, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

// The platform's user-interface font, as message boxes use it.
OwnedFont makeButtonFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return nullptr;
    }
    return OwnedFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

bool makeDrawingObjects(MainWindow& self) {
    for (std::size_t role = 0; role < fontSpecs.size(); ++role) {
        self.fonts[role] = makeFont(fontSpecs[role]);
        if (!self.fonts[role]) return false;
    }
    self.buttonFont = makeButtonFont();
    self.listBrush.reset(CreateSolidBrush(colorOf(listBackground)));
    self.listItemHeight = listItemHeight(self.font(FontRole::list));
    return self.listBrush != nullptr;
}

std::span<const std::uint8_t> pictureOf(ControlId id) {
    for (const PictureOfControl& picture : controlPictures()) {
        if (picture.id == id) return picture.jpeg;
    }
    return {};
}

const LabelStyle* labelStyleOf(ControlId id) {
    for (const LabelStyle& style : labelStyles) {
        if (style.id == id) return &style;
    }
    return nullptr;
}

std::wstring initialText(const ControlDefinition& definition) {
    std::string text(definition.text);
    if (definition.id == ControlId::bannerLabel) text += siteHost();
    return fromGbk(text);
}

RECT rectOf(Place place) {
    return {place.x, place.y, place.x + place.width, place.y + place.height};
}

// The query button shows its decoded picture; if that fails it stays a button with its text.
HWND createButton(MainWindow& self, const ControlDefinition& definition, HWND parent) {
    if (definition.kind == ControlKind::pictureButton) {
        self.queryPicture = bitmapFromJpeg(pictureOf(definition.id));
    }
    HBITMAP picture =
        definition.kind == ControlKind::pictureButton ? self.queryPicture.get() : nullptr;
    return createPushButton(parent, static_cast<int>(definition.id), rectOf(definition.place),
                            initialText(definition).c_str(), self.buttonFont.get(), picture);
}

std::span<const std::string_view> itemsOf(ControlId id) {
    if (id == ControlId::kindList) return monsterKinds;
    return levelItems;
}

HWND createControl(MainWindow& self, const ControlDefinition& definition) {
    HWND parent = self.control(definition.parent);
    const int id = static_cast<int>(definition.id);
    switch (definition.kind) {
        case ControlKind::pictureBox:
            return createPictureBox(parent, id, rectOf(definition.place), pictureOf(definition.id));
        case ControlKind::transparentLabel: {
            const LabelStyle* style = labelStyleOf(definition.id);
            if (!style) return nullptr;
            HWND label = createTransparentLabel(parent, id, rectOf(definition.place),
                                                initialText(definition).c_str(), *style);
            if (label) {
                SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(self.font(style->font)),
                             FALSE);
            }
            return label;
        }
        case ControlKind::dropDownList:
            return createDropDownList(parent, id, rectOf(definition.place), itemsOf(definition.id),
                                      self.font(FontRole::list));
        case ControlKind::pushButton:
        case ControlKind::pictureButton: return createButton(self, definition, parent);
    }
    return nullptr;
}

// Within each parent, the first control of the table lies on top.
void stackControls(const MainWindow& self) {
    for (ControlId parent : {ControlId::window, ControlId::headerPanel, ControlId::selectionPanel,
                             ControlId::resultPanel, ControlId::linksPanel}) {
        HWND above = HWND_TOP;
        for (const ControlDefinition& definition : controlTable) {
            if (definition.parent != parent) continue;
            HWND control = self.control(definition.id);
            SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            above = control;
        }
    }
}

void setProgramIcon(MainWindow& self) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    self.largeIcon.reset(static_cast<HICON>(LoadImageW(instance, programIconName, IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXICON),
                                                       GetSystemMetrics(SM_CYICON), 0)));
    self.smallIcon.reset(static_cast<HICON>(LoadImageW(instance, programIconName, IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0)));
    if (self.largeIcon) {
        SendMessageW(self.window, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(self.largeIcon.get()));
    }
    if (self.smallIcon) {
        SendMessageW(self.window, WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(self.smallIcon.get()));
    }
}

// Parents come after their children in the table, so the controls are made from the last row up.
LRESULT onCreate(MainWindow& self) {
    if (!makeDrawingObjects(self)) return -1;
    for (auto row = controlTable.rbegin(); row != controlTable.rend(); ++row) {
        HWND control = createControl(self, *row);
        if (!control) return -1;
        self.controls[static_cast<std::size_t>(row->id)] = control;
    }
    stackControls(self);
    for (const ControlDefinition& definition : controlTable) {
        ShowWindow(self.control(definition.id), SW_SHOWNA);
    }
    setProgramIcon(self);
    return 0;
}

LRESULT onCommand(MainWindow& self, int id, int code) {
    if (code != BN_CLICKED) return 0;
    if (id == static_cast<int>(ControlId::queryButton)) {
        WindowTexts texts(self);
        onQueryClicked(texts);
        return 0;
    }
    for (const SitePageButton& button : sitePageButtons) {
        if (id == static_cast<int>(button.id)) openSitePage(sitePageAddress(button.page));
    }
    return 0;
}

LRESULT onMeasureItem(const MainWindow& self, MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_COMBOBOX) return FALSE;
    item.itemHeight = static_cast<UINT>(self.listItemHeight);
    return TRUE;
}

LRESULT onDrawListItem(const MainWindow& self, const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_COMBOBOX) return FALSE;
    drawListItem(item, self.font(FontRole::list), self.listBrush.get());
    return TRUE;
}

LRESULT onListColor(const MainWindow& self, HDC dc) {
    return reinterpret_cast<LRESULT>(listColors(dc, self.listBrush.get()));
}

// Focus comes back to the control that had it when the window was last active.
LRESULT onActivate(MainWindow& self, int state) {
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(self.window, focus)) self.lastFocus = focus;
        return 0;
    }
    HWND target = self.lastFocus && IsWindow(self.lastFocus) ? self.lastFocus
                                                             : self.control(focusOrder.front());
    SetFocus(target);
    return 0;
}

// The window takes its state over at its first message and frees it at its last, when every
// control that used its fonts, brush and bitmap is gone.
MainWindow* stateOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<std::unique_ptr<MainWindow>*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        MainWindow* state = owner->release();
        state->window = window;
        state->controls[0] = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        return state;
    }
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    MainWindow* self = stateOf(window, message, lParam);
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);  // WM_GETMINMAXINFO comes first
    switch (message) {
        case WM_CREATE: return onCreate(*self);
        case WM_COMMAND: return onCommand(*self, LOWORD(wParam), HIWORD(wParam));
        case WM_MEASUREITEM:
            return onMeasureItem(*self, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        case WM_DRAWITEM:
            return onDrawListItem(*self, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_CTLCOLORLISTBOX: return onListColor(*self, reinterpret_cast<HDC>(wParam));
        case WM_ACTIVATE: return onActivate(*self, LOWORD(wParam));
        case WM_DESTROY: PostQuitMessage(0); return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete self;
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerMainWindowClass(HINSTANCE instance) {
    return registerWindowClass(instance, mainWindowClass, mainWindowProc, 0,
                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

}  // namespace

HWND createMainWindow(HINSTANCE instance) {
    if (!registerMainWindowClass(instance) || !registerPictureBoxClass(instance) ||
        !registerTransparentLabelClass(instance)) {
        fatalError("cannot register the window classes");
    }
    const int left = (GetSystemMetrics(SM_CXSCREEN) - windowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - windowHeight) / 2;
    const std::wstring title = fromGbk(std::string(windowTitle) + std::string(siteHost()));
    auto state = std::make_unique<MainWindow>();
    HWND window = CreateWindowExW(0, mainWindowClass, title.c_str(), mainWindowStyle, left, top,
                                  windowWidth, windowHeight, nullptr, nullptr, instance, &state);
    if (!window) fatalError("cannot create the main window");

    onMainWindowCreated();

    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    UpdateWindow(window);
    SetFocus(controlOf(window, focusOrder.front()));
    return window;
}

HWND controlOf(HWND mainWindow, ControlId id) {
    const auto* self =
        reinterpret_cast<const MainWindow*>(GetWindowLongPtrW(mainWindow, GWLP_USERDATA));
    if (!self) return nullptr;
    return self->control(id);
}
