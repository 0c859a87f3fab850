#pragma once

#include "app/HiddenKeySequence.h"
#include "app/MainWindowModel.h"
#include "app/SectionColumn.h"
#include "device/BatteryDisplay.h"
#include "device/LinkKind.h"
#include "ui/CDlgBase.h"
#include "ui/SkinImage.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

class CBattery;
class CCheckButton;
class CColorSelectCheckButton;
class CComboButton;
class CDPIRadioButton;
class CDPIValueShowControl;
class CImageButton;
class CRadioButton;
class CSliderControl;
class CStaticImage;
class CStaticText;
class OnScreenDisplay;
struct MacroKey;
struct NamedFunction;
struct Profile;

// The program's main window: the device picture with the button-function drop-downs on
// the left, the battery and power-saving panels, and the collapsible settings sections of
// the right-hand column. It shows the current profile (RefreshUi), takes the controls back
// into it (CollectUi) and schedules the apply that sends the changes to the mouse.
//
// The class is split by concern over several sources: the frame and messages here, the
// controls and column layout, refresh and collect, the settings sections, the drop-down
// lists and their dialogs, and the profile list with its actions.
class CCorvaneDlg : public CDlgBase {
public:
    static constexpr int kDesignWidth = 1127;
    static constexpr int kDesignHeight = 740;

    CCorvaneDlg(MainWindowModel model, MainWindowServices services);
    ~CCorvaneDlg() override;

    void RefreshUi();
    void CollectUi();
    void ApplySensorLayout();

    // What the device layer asks of the window (through the application's binder).
    void ShowStatusImage(std::optional<LinkKind> linkInCharge);
    void ShowConnectionNotice(bool shown);
    void SetRateHeaderEnabled(bool enabled);
    void ShowBattery(const BatteryView& view);
    // The battery timer: runs with this period while the window is shown; hidden, it
    // waits, and showing the window draws the battery at once and runs it again.
    void StartBatteryTimer(int periodMs);
    void OnSensorChanged(bool to3205Layout, bool from3205Layout);
    void ShowStatusDisplay();
    // Closes every open secondary dialog (the program is ending).
    static void CloseOpenDialogs();

    // State for the binder and tests.
    [[nodiscard]] bool Sensor3205Mode() const { return m_sensor3205Mode; }
    [[nodiscard]] int HoveredButton() const { return m_hoveredButton; }
    [[nodiscard]] bool IsSectionOpen(int header) const;
    [[nodiscard]] const MainWindowModel& Model() const { return m_model; }
    [[nodiscard]] MainWindowServices& Services() { return m_services; }
    [[nodiscard]] OnScreenDisplay& Osd() { return *m_osd; }
    // The design top of a header of the right-hand column, as last laid out.
    [[nodiscard]] int HeaderTop(int header) const;
    // The framed panels the background draws, in design units: the left column's, then the
    // bodies of the open sections.
    [[nodiscard]] std::vector<UiRect> PanelRects() const;
    // The window's background picture, which the program preloads at start.
    [[nodiscard]] static QString BackgroundPicture();

protected:
    bool OnInitDialog() override;
    void CreateControls(int left, int top, int right, int bottom) override;
    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // One control of a section body and where it sits below its header (design units).
    struct BodyControl {
        CControlBase* control;
        int header;
        UiRect offset;
    };

    // --- controls and layout (CCorvaneDlgLayout.cpp)
    void CreateFrameControls();
    void CreateLeftColumn();
    void CreateDevicePicture();
    void CreateHeaders();
    void CreateDpiSection();
    void CreateLightingSection();
    void CreatePointerSection();
    void CreateRateSection();
    void CreateHiddenSections();
    // Names for assistive technology where a control shows a picture, not a caption.
    void NameControls();
    template <class Control>
    Control* AddBody(int layer, int header, const UiRect& offset, std::unique_ptr<Control> control);
    // Places the headers and the bodies of the right-hand column for the open sections.
    void LayOutColumn();
    void DrawPanels(QPainter& painter) const;
    void DrawButtonHighlight(QPainter& painter) const;
    // The square of the device picture that the highlight of button 1..9 covers.
    [[nodiscard]] static UiRect HighlightArea(int button);
    void LoadHighlight(int button);

    // --- refresh and collect (CCorvaneDlgRefresh.cpp)
    void RefreshProfileNames(const Profile& profile);
    void RefreshDpi(const Profile& profile);
    void RefreshLighting(const Profile& profile);
    void RefreshRate(const Profile& profile);
    void RefreshOtherSettings(const Profile& profile);
    [[nodiscard]] Profile& CurrentProfile() const;
    [[nodiscard]] static QString BrightnessCaption(int position);
    [[nodiscard]] QString PowerDownText(int minutes) const;

    // --- sections and their controls (CCorvaneDlgSections.cpp)
    LResult OnHeader(int header);
    void ShowOpenSections();
    LResult OnDpiCheck(int level);
    LResult OnDpiLevel(int level);
    LResult OnDpiBar(int level);
    LResult OnSlider(int id, LParam code);
    LResult OnColorSlot(int slot, LParam code);
    LResult OnDirection(WParam wParam, LParam lParam);
    LResult OnRateRadio(int id);
    LResult OnLiftRadio(WParam wParam, LParam lParam);
    // Either radio of a pair was clicked: both repaint, and the choice is collected and sent.
    LResult OnRadioPair(int first, int second, LParam code);
    void ShowSliderValue(int id);
    void ContinueSliderDrags(QPoint point, bool leftButtonDown);
    void SettingsChanged();

    // --- drop-down lists and their dialogs (CCorvaneDlgDropDowns.cpp)
    LResult OnButtonDropDown(WParam wParam, LParam lParam);
    void OpenFunctionList(CComboButton& dropDown);
    LResult OnOpenSubList(UiMessage message, WParam wParam, LParam lParam);
    LResult OnCloseSubLists(WParam wParam, LParam lParam);
    LResult OnFunctionResult(UiMessage message, WParam wParam, LParam lParam);
    LResult OnFunctionListDismissed(WParam wParam, LParam lParam);
    LResult OnSubListDismissed(UiMessage message, WParam wParam, LParam lParam);
    LResult OnDialogRequest(UiMessage message, WParam wParam, LParam lParam);
    LResult OnRunDialog(UiMessage message, WParam wParam, LParam lParam);
    LResult OnDialogResult(UiMessage message, WParam wParam, LParam lParam);
    // macro: the macro the button takes a copy of (0x90 functions), else null.
    void StoreFunction(CComboButton* dropDown, int id, const std::u16string& name, const std::u16string& url,
                       const std::array<std::uint8_t, 3>& value, const MacroKey* macro = nullptr);
    LResult OnLightingDropDown(WParam wParam, LParam lParam);
    LResult OnLightingResult(WParam wParam, LParam lParam);
    LResult OnLightingDismissed(WParam wParam, LParam lParam);
    [[nodiscard]] bool AnySubListOpen() const;
    // Creates the list at a screen point in its slot, owned by the window from then on;
    // false (and the list gone) when it could not be created.
    bool OpenPopupAt(int slot, CWndPopup* popup, QPoint topLeft, UiMessage resultMessage, int ownerValue);
    void CloseDropDown(CComboButton* dropDown);
    void CloseButtonDropDowns();
    [[nodiscard]] CComboButton* ButtonDropDown(int id) const;

    // --- profile list and actions (CCorvaneDlgProfiles.cpp)
    LResult OnProfileListButton(WParam wParam, LParam lParam);
    LResult OnProfileListResult(WParam wParam, LParam lParam);
    LResult OnProfileActionResult(WParam wParam, LParam lParam);
    LResult OnProfileListDismissed(WParam wParam, LParam lParam);
    LResult OnProfileActionDismissed(WParam wParam, LParam lParam);
    void RunProfileAction();
    void SaveSettingsAndProfiles();

    // --- frame, timers, keys (CCorvaneDlg.cpp)
    LResult OnTimer(WParam wParam, LParam lParam);
    LResult OnCloseButton(WParam wParam, LParam lParam);
    LResult OnHideButton(WParam wParam, LParam lParam);
    LResult OnMouseSettings(WParam wParam, LParam lParam);
    LResult OnFactoryReset(WParam wParam, LParam lParam);
    LResult OnMacroManager(WParam wParam, LParam lParam);
    LResult OnStatusMessage(WParam wParam, LParam lParam);
    LResult OnRestore(WParam wParam, LParam lParam);
    void ShowMessage(const QString& message);

    MainWindowModel m_model;
    MainWindowServices m_services;
    std::unique_ptr<OnScreenDisplay> m_osd;
    HiddenKeySequence m_hiddenSequence;

    bool m_sensor3205Mode = false;
    int m_hoveredButton = 0;
    bool m_sliderDragged = false;
    bool m_profileListWasOpen = false;
    struct PendingOpener {
        CComboButton* dropDown = nullptr;
        int id = 0;
    };
    PendingOpener m_pendingShortcut;
    PendingOpener m_pendingMacro;
    PendingOpener m_pendingLaunch;
    int m_pendingProfileAction = 0;
    int m_pendingProfileIndex = 0;
    int m_screenHeight = 0;
    int m_batteryPeriodMs = 0;  // 0: the battery timer was never asked for

    // Controls (owned by the layers).
    std::vector<BodyControl> m_body;
    SectionColumn::HeaderTops m_columnTops;
    bool m_columnLaidOut = false;
    std::array<CComboButton*, 9> m_buttonDropDowns{};
    std::array<CStaticImage*, 3> m_statusImages{};  // wired, receiver, BLE
    CStaticText* m_receiverNotice = nullptr;
    CBattery* m_battery = nullptr;
    CStaticText* m_batteryText = nullptr;
    CSliderControl* m_powerSlider = nullptr;
    CStaticText* m_powerValue = nullptr;
    CImageButton* m_macroManager = nullptr;
    std::array<CCheckButton*, 8> m_dpiChecks{};
    std::array<CDPIValueShowControl*, 8> m_dpiBars{};
    QPointer<CDlgBase> m_openDpiDialog;  // the DPI value dialog running over the window
    std::array<CDPIRadioButton*, 8> m_dpiLevels{};
    CComboButton* m_lightingMode = nullptr;
    std::array<CColorSelectCheckButton*, 8> m_colorSlots{};
    CSliderControl* m_speedSlider = nullptr;
    CStaticText* m_speedValue = nullptr;
    CSliderControl* m_brightnessSlider = nullptr;
    CStaticText* m_brightnessValue = nullptr;
    std::vector<CControlBase*> m_speedGroup;       // track, slider, value, caption
    std::vector<CControlBase*> m_brightnessGroup;  // track, slider, value, caption
    std::vector<CControlBase*> m_directionGroup;   // radios and caption
    CStaticText* m_colorsLabel = nullptr;
    std::array<CStaticText*, 4> m_rateCaptions{};
    SkinImage m_panel;                          // the panels' and open bodies' fill
    std::array<SkinImage, 9> m_highlights;      // the lit badges, loaded on first hover
};
