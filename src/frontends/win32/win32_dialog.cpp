#include "win32_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "host/session_state.h"
#include "geometry/section_types.h"
#include "runtime/runtime_error.h"
#include "ui/message_box.h"
#include "runtime/number_text.h"
#include "dimension_panel.h"
#include "section_drawing.h"
#include "wide_text.h"

namespace zembrati::win32 {
namespace {

using win32::Utf8;
using win32::Wide;

constexpr UINT kShownMessage = WM_APP + 1;

// An in-memory dialog template: the layout of the selection dialog in dialog units.
class Template {
 public:
  Template() {
    Align(4);
    const DWORD style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    Put<DWORD>(style);
    Put<DWORD>(0);
    countAt_ = data_.size();
    Put<WORD>(0);
    Put<short>(0), Put<short>(0), Put<short>(330), Put<short>(236);
    Put<WORD>(0), Put<WORD>(0);  // no menu, default class
    String(L"VantREX");
    Put<WORD>(8);
    String(L"MS Shell Dlg");
  }

  void Control(WORD classAtom, const wchar_t* className, const wchar_t* text, DWORD style, short x, short y, short cx,
               short cy, int id) {
    Align(4);
    Put<DWORD>(style | WS_CHILD | WS_VISIBLE);
    Put<DWORD>(0);
    Put<short>(x), Put<short>(y), Put<short>(cx), Put<short>(cy);
    Put<WORD>(static_cast<WORD>(id));
    if (className) {
      String(className);
    } else {
      Put<WORD>(0xFFFF), Put<WORD>(classAtom);
    }
    String(text);
    Put<WORD>(0);
    ++count_;
    data_[countAt_] = count_;
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
  // A template is a sequence of WORDs (its DWORDs are WORD pairs, low first), kept as such and
  // appended one WORD at a time: a byte vector grown by resize or insert draws false
  // -Wstringop-overflow warnings from GCC 12 and 14 at -O3.
  template <typename T>
  void Put(T value) {
    static_assert(sizeof(T) % sizeof(WORD) == 0);
    WORD words[sizeof(T) / sizeof(WORD)];
    std::memcpy(words, &value, sizeof(T));
    for (const WORD word : words) data_.push_back(word);
  }
  void String(const wchar_t* text) {
    for (; *text; ++text) Put<wchar_t>(*text);
    Put<wchar_t>(0);
  }
  void Align(std::size_t to) {
    while ((data_.size() * sizeof(WORD)) % to) data_.push_back(0);
  }

  std::vector<WORD> data_;
  std::size_t countAt_ = 0;
  WORD count_ = 0;
};

// What each dimension label of a type's picture measures, in label order.
constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082, kCombo = 0x0085;

Template BuildTemplate() {
  Template t;
  t.Control(0, WC_TABCONTROLW, L"", WS_TABSTOP, 5, 5, 320, 14, kIdTabs);
  for (int i = 0; i < 12; ++i) {
    const std::wstring name = Wide(std::string(geometry::SectionTypes()[static_cast<std::size_t>(i)].shortName));
    t.Control(kButton, nullptr, name.c_str(), BS_AUTORADIOBUTTON | BS_PUSHLIKE | BS_BITMAP | (i == 0 ? WS_GROUP : 0),
              static_cast<short>(8 + (i % 6) * 40), static_cast<short>(24 + (i / 6) * 20), 38, 18, kIdFirstType + i);
  }
  t.Control(kButton, nullptr, L"", BS_GROUPBOX, 5, 66, 245, 140, kIdFrameData);
  const int rows[] = {kIdLblNormativa, kIdLblMisura, kIdLblSpessore, kIdLblMateriale, kIdLblLunghezza};
  for (int r = 0; r < 5; ++r) {
    const short y = static_cast<short>(80 + r * 24);
    t.Control(kStatic, nullptr, L"", SS_LEFT, 12, static_cast<short>(y + 2), 60, 10, rows[r]);
    if (rows[r] == kIdLblLunghezza) {
      t.Control(kEdit, nullptr, L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 75, y, 80, 13, kIdDimLen);
    } else {
      t.Control(kCombo, nullptr, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 75, y, 165, 150, rows[r] + 1);
    }
    if (rows[r] == kIdLblNormativa) t.Control(kStatic, nullptr, L"", SS_LEFT, 12, static_cast<short>(y + 14), 232, 9, kIdNormaDescr);
  }
  t.Control(kButton, nullptr, L"", BS_GROUPBOX, 5, 66, 245, 140, kIdFramePreview);
  t.Control(kStatic, nullptr, L"", SS_LEFT, 12, 76, 225, 10, kIdPreviewTitle);
  t.Control(kStatic, nullptr, L"", SS_OWNERDRAW, 12, 90, 120, 110, kIdPreviewPicture);
  for (int k = 0; k < 5; ++k) {
    t.Control(kStatic, nullptr, L"", SS_LEFT, 138, static_cast<short>(100 + k * 16), 108, 10, kIdFirstPreviewLabel + k);
  }
  t.Control(kStatic, nullptr, L"", SS_LEFT, 138, 180, 108, 22, kIdPreviewData);
  t.Control(kButton, nullptr, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 258, 70, 64, 16, kIdOk);
  t.Control(kButton, nullptr, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 258, 90, 64, 16, kIdCancel);
  t.Control(kButton, nullptr, L"", BS_PUSHBUTTON | WS_TABSTOP, 258, 188, 64, 16, kIdBtnMisura);
  return t;
}

// The window of one session: mirrors the form model and forwards the user's actions to it.
class Window {
 public:
  Window(dialog::Dialog& model, const std::function<void(HWND)>& onShown) : model_(model), onShown_(onShown) {}

  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(window, DWLP_USER, l);
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->Handle(window, message, w, l) : FALSE;
  }

  std::exception_ptr failure;

 private:
  INT_PTR Handle(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
      case WM_INITDIALOG:
        window_ = window;
        SetTypeIcons();
        Act([&] { model_.Load(); });
        PlaceWhereLeft();
        PostMessageW(window, kShownMessage, 0, 0);
        return TRUE;
      case kShownMessage:
        if (onShown_) onShown_(window);
        return TRUE;
      case WM_COMMAND:
        if (!syncing_) Command(LOWORD(w), HIWORD(w));
        return TRUE;
      case WM_NOTIFY:
        if (!syncing_ && reinterpret_cast<NMHDR*>(l)->idFrom == kIdTabs && reinterpret_cast<NMHDR*>(l)->code == TCN_SELCHANGE) {
          Act([&] { model_.TabNorme.SetCurrent(TabCtrl_GetCurSel(Item(kIdTabs))); });
        }
        return TRUE;
      case WM_DRAWITEM:
        if (w == kIdPreviewPicture) DrawPreview(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
        return TRUE;
      case WM_DESTROY:
        for (HBITMAP icon : icons_) DeleteObject(icon);
        return FALSE;
      case WM_CLOSE:
        Act([&] { model_.Unload(); });  // closed other than by OK: nothing is made
        return TRUE;
      default:
        return FALSE;
    }
  }

  HWND Item(int id) const { return GetDlgItem(window_, id); }

  // The type buttons show their sections, drawn by the generators from a typical size.
  void SetTypeIcons() {
    for (int i = 0; i < 12; ++i) {
      RECT rect;
      GetClientRect(Item(kIdFirstType + i), &rect);
      const int size = std::max(8, static_cast<int>(std::min(rect.right, rect.bottom)) - 6);
      icons_[static_cast<std::size_t>(i)] = TypeIcon(static_cast<std::int16_t>(i + 1), size);
      SendMessageW(Item(kIdFirstType + i), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(icons_[static_cast<std::size_t>(i)]));
    }
  }

  // The dimension panel's picture: the section of the type shown, with the chosen size.
  void DrawPreview(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int i = 0; i < 12; ++i) {
      if (model_.Preview[static_cast<std::size_t>(i)].visible) {
        DrawSection(item.hDC, item.rcItem, static_cast<std::int16_t>(i + 1), host::Session().Dims);
      }
    }
  }

  ui::ListControl* ListOf(int id) {
    switch (id) {
      case kIdNormativa: return &model_.Normativa;
      case kIdMisura: return &model_.Misura;
      case kIdSpessore: return &model_.Spessore;
      case kIdMateriale: return &model_.Materiale;
      default: return nullptr;
    }
  }

  void Command(int id, int code) {
    if (ui::ListControl* list = ListOf(id)) {
      if (code == CBN_SELCHANGE) {
        const auto index = static_cast<std::int16_t>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
        Act([&] { list->SetListIndex(index); });
      } else if (code == CBN_KILLFOCUS && id == kIdSpessore) {
        Act([&] { model_.SpessoreValidate(); });
      }
    } else if (id >= kIdFirstType && id < kIdFirstType + 12 && code == BN_CLICKED) {
      Act([&] { model_.OptTypeProfil.Set(id - kIdFirstType); });
    } else if (id == kIdDimLen && code == EN_CHANGE) {
      wchar_t text[256];
      GetDlgItemTextW(window_, kIdDimLen, text, 256);
      Act([&] { model_.DimLen.SetText(Utf8(std::wstring_view(text))); });
    } else if (id == kIdOk) {
      RememberPlace();
      Act([&] { model_.OKButton.Click(); });
    } else if (id == kIdCancel) {
      Act([&] { model_.CancelButton.Click(); });
      if (!model_.Unloaded()) Act([&] { model_.Unload(); });
    } else if (id == kIdBtnMisura) {
      Act([&] { model_.BtnMisura.Click(); });
    }
  }

  // Runs one control event on the model, then mirrors the model or closes the window. A runtime
  // error in the event is shown; an error while loading ends the dialog and goes to the caller.
  template <typename Event>
  void Act(Event&& event) {
    try {
      event();
    } catch (const runtime::RuntimeError& error) {
      if (!loaded_) {
        failure = std::current_exception();
        EndDialog(window_, 0);
        return;
      }
      dialog::ReportActionError(error);
    }
    loaded_ = true;
    if (model_.Unloaded()) {
      EndDialog(window_, 0);
    } else {
      Sync();
    }
  }

  // Twips are 1/1440 inch; the screen's dots per inch turn them into pixels.
  int DotsPerInch() const {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
  }

  void RememberPlace() {
    RECT rect;
    GetWindowRect(window_, &rect);
    const double twipsPerPixel = 1440.0 / DotsPerInch();
    model_.top = static_cast<float>(rect.top * twipsPerPixel);
    model_.left = static_cast<float>(rect.left * twipsPerPixel);
  }

  // The dialog opens where it was last confirmed (the preferences hold its top and left), moved
  // as little as needed to lie whole on the monitor nearest to that place: a monitor that has
  // gone since leaves the dialog on one that is there. Without a stored place it stays centred.
  void PlaceWhereLeft() {
    if (model_.top == 0 && model_.left == 0) return;
    const double pixelsPerTwip = DotsPerInch() / 1440.0;
    const double top = model_.top * pixelsPerTwip;
    const double left = model_.left * pixelsPerTwip;
    if (!std::isfinite(top) || !std::isfinite(left)) return;
    RECT rect;
    GetWindowRect(window_, &rect);
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    const auto clamp = [](double v) { return static_cast<LONG>(std::clamp(v, -1e7, 1e7)); };
    RECT wanted{clamp(left), clamp(top), clamp(left) + width, clamp(top) + height};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& area = monitor.rcWork;
    LONG x = std::min(wanted.left, area.right - width);
    LONG y = std::min(wanted.top, area.bottom - height);
    x = std::max(x, area.left);
    y = std::max(y, area.top);
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void Show(int id, bool visible) { ShowWindow(Item(id), visible ? SW_SHOW : SW_HIDE); }

  void SyncList(int id, const ui::ListControl& list, bool panelShown) {
    HWND combo = Item(id);
    std::vector<std::string>& cache = lists_[static_cast<std::size_t>(id - kIdNormativa)];
    std::vector<std::string> entries;
    for (std::int16_t i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
    if (entries != cache) {
      SendMessageW(combo, CB_RESETCONTENT, 0, 0);
      for (const std::string& entry : entries) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
      cache = entries;
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(list.ListIndex()), 0);
    EnableWindow(combo, list.Enabled());
    Show(id, panelShown && list.Visible());
  }

  void SyncText(int id, const std::string& text) { SetDlgItemTextW(window_, id, Wide(text).c_str()); }

  void Sync() {
    syncing_ = true;
    SetWindowTextW(window_, Wide(model_.caption).c_str());
    HWND tabs = Item(kIdTabs);
    TabCtrl_DeleteAllItems(tabs);
    for (int i = 0; i < model_.TabNorme.TabCount(); ++i) {
      std::wstring caption = Wide(model_.TabNorme.Caption(i));
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = caption.data();
      SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    TabCtrl_SetCurSel(tabs, model_.TabNorme.Current());
    for (int i = 0; i < 12; ++i) {
      SendMessageW(Item(kIdFirstType + i), BM_SETCHECK, model_.OptTypeProfil.Value() == i ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    const bool data = model_.FrameData.visible;
    Show(kIdFrameData, data);
    SyncList(kIdNormativa, model_.Normativa, data);
    SyncList(kIdMisura, model_.Misura, data);
    SyncList(kIdSpessore, model_.Spessore, data);
    SyncList(kIdMateriale, model_.Materiale, data);
    const std::pair<int, const ui::Label*> labels[] = {
        {kIdLblNormativa, &model_.LblNormativa}, {kIdLblMisura, &model_.LblMisura}, {kIdLblSpessore, &model_.LblSpessore},
        {kIdLblMateriale, &model_.LblMateriale}, {kIdLblLunghezza, &model_.LblLunghezza}, {kIdNormaDescr, &model_.NormaDescr}};
    for (const auto& [id, label] : labels) {
      SyncText(id, label->caption);
      Show(id, data && label->visible);
    }
    wchar_t typed[256];
    GetDlgItemTextW(window_, kIdDimLen, typed, 256);
    if (Utf8(std::wstring_view(typed)) != model_.DimLen.Text()) SyncText(kIdDimLen, model_.DimLen.Text());
    EnableWindow(Item(kIdDimLen), model_.DimLen.enabled);
    Show(kIdDimLen, data);
    SyncPreview();
    SyncText(kIdOk, model_.OKButton.caption);
    EnableWindow(Item(kIdOk), model_.OKButton.enabled);
    SyncText(kIdCancel, model_.CancelButton.caption);
    SyncText(kIdBtnMisura, model_.BtnMisura.caption);
    syncing_ = false;
  }

  // The dimension panel: the labels of the type whose picture is shown, as text lines.
  void SyncPreview() {
    const bool shown = model_.FramePreview.visible;
    Show(kIdFramePreview, shown);
    Show(kIdPreviewTitle, shown);
    Show(kIdPreviewPicture, shown);
    InvalidateRect(Item(kIdPreviewPicture), nullptr, TRUE);
    const panel::DimensionPanel dimensions = panel::PanelOf(model_);
    SyncText(kIdPreviewTitle, dimensions.title);
    for (int k = 0; k < 5; ++k) {
      const bool has = k < static_cast<int>(dimensions.lines.size());
      SyncText(kIdFirstPreviewLabel + k, has ? dimensions.lines[static_cast<std::size_t>(k)] : std::string());
      Show(kIdFirstPreviewLabel + k, shown && has);
    }
    std::string data;
    for (const std::string& line : dimensions.sectionData) data += (data.empty() ? "" : "\r\n") + line;
    SyncText(kIdPreviewData, data);
    Show(kIdPreviewData, shown);
  }

  dialog::Dialog& model_;
  const std::function<void(HWND)>& onShown_;
  HWND window_ = nullptr;
  bool syncing_ = false;
  bool loaded_ = false;
  std::array<std::vector<std::string>, 9> lists_;
  std::array<HBITMAP, 12> icons_{};
};

}  // namespace

void Win32Presenter::ShowModal(ui::Form& form) {
  auto* model = dynamic_cast<dialog::Dialog*>(&form);
  if (model == nullptr) runtime::Raise(runtime::error::kInvalidProcedureCall);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const Template layout = BuildTemplate();
  Window window(*model, onShown_);
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.Get(), nullptr, Window::Procedure,
                                                 reinterpret_cast<LPARAM>(&window));
  if (window.failure) std::rethrow_exception(window.failure);
  if (result == -1) runtime::Raise(runtime::error::kOutOfMemory);
  if (!form.Unloaded()) form.Unload();
}

}  // namespace zembrati::win32
