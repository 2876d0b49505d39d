// The parameter dialogs, the output level dialog and the signal length
// dialog on their real templates, filled through their controls.
#include <windows.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "framework/THtmlHelp.h"
#include "generator/TDTMFSignalDialog.h"
#include "generator/TFreqStep.h"
#include "generator/TFreqSweep.h"
#include "generator/TIMDDialog.h"
#include "generator/TLevelSweep.h"
#include "generator/TNoiseBurst.h"
#include "generator/TOutputLevelDialog.h"
#include "generator/TPulse.h"
#include "generator/TSawtooth.h"
#include "generator/TSignalToWaveOptionsDialog.h"
#include "generator/TSquare.h"
#include "generator/TToneBurst.h"
#include "generator/TTones.h"
#include "generator/TTriangular.h"
#include "generator/TWaveDialog.h"
#include "tests/framework/GuiTest.h"
#include "tests/generator/GeneratorTestSupport.h"

namespace {

constexpr int32_t Nyquist = 22050;

// The record's settings texts, to tell whether a dialog wrote to it.
std::map<std::string, std::string> Snapshot(const SignalParams& p, const OutputLevelStruct& level = {})
{
    TMapProfile file;
    TGeneratorSettings::Save(file, p, p, level);
    return file.Values;
}

struct TCase {
    const char* Name;
    std::function<void(TDialog&)> Fill;
    // The refusal, or empty when OK is accepted.
    const char* Message;
    std::function<void(const SignalParams&)> Check;
};

class GeneratorDialogs : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Owner.Attr.Style = WS_OVERLAPPEDWINDOW;
        ASSERT_TRUE(Owner.Create());
    }

    // Each case on a fresh default record: the dialog is filled and OK pressed.
    void Run(const std::function<std::unique_ptr<TDialog>(SignalParams&)>& make, const TCase* cases, size_t count)
    {
        for (size_t i = 0; i < count; ++i) {
            const TCase& c = cases[i];
            SCOPED_TRACE(c.Name);
            SignalParams p = DefaultSignal(Tone1kSignal);
            const auto before = Snapshot(p);
            std::unique_ptr<TDialog> dialog = make(p);
            ASSERT_TRUE(dialog->Create());
            Messages().clear();
            c.Fill(*dialog);
            dialog->SendMessage(WM_COMMAND, IDOK, 0);
            Pump();
            if (*c.Message) {
                ASSERT_EQ(Messages().size(), 1u);
                EXPECT_EQ(Messages()[0].Text, c.Message);
                EXPECT_EQ(Messages()[0].Caption, "Tonalyx");
                EXPECT_NE(dialog->GetHandle(), nullptr);
                EXPECT_EQ(Snapshot(p), before);
                dialog->Destroy();
            } else {
                EXPECT_TRUE(Messages().empty()) << Messages()[0].Text;
                EXPECT_EQ(dialog->GetHandle(), nullptr);
                if (c.Check) c.Check(p);
            }
        }
    }

    TWindow Owner{nullptr, "owner"};
};

void Text(TDialog& d, int id, const char* text)
{
    d.SetItemText(id, text);
}

}  // namespace

TEST_F(GeneratorDialogs, NoiseBurstAndToneBurst)
{
    const TCase noise[] = {
        {"equal times", [](TDialog& d) { Text(d, 603, "1000"), Text(d, 604, "1000"); },
         "Burst time must be less than the cycle time.", nullptr},
        {"no number", [](TDialog& d) { Text(d, 603, "abc"); }, "Burst time must be greater than 0", nullptr},
        {"white", [](TDialog& d) { Text(d, 603, "250"), d.CheckRadioButton(110, 111, 110); }, "",
         [](const SignalParams& p) {
             EXPECT_EQ(p.NoiseBurst.Type, 0);
             EXPECT_EQ(p.NoiseBurst.BurstTimeMsec, 250);
             EXPECT_EQ(p.NoiseBurst.CycleTimeMsec, 2000);
         }},
    };
    Run([](SignalParams& p) { return std::make_unique<TNoiseBurst>(nullptr, "SIGNAL_NOISE_BURST", &p.NoiseBurst, nullptr, ""); },
        noise, std::size(noise));

    const TCase tone[] = {
        {"above Nyquist", [](TDialog& d) { Text(d, 605, "22051"); }, "Frequency must be between 0 and 22050 Hz.", nullptr},
        {"burst too long", [](TDialog& d) { Text(d, 603, "3000"); }, "Burst time must be less than the cycle time.", nullptr},
        {"accepted", [](TDialog& d) { Text(d, 605, "440.9"), Text(d, 604, "1500"); }, "",
         [](const SignalParams& p) {
             EXPECT_EQ(p.ToneBurst.FreqHz, 440);
             EXPECT_EQ(p.ToneBurst.CycleTimeMsec, 1500);
         }},
    };
    Run([](SignalParams& p) {
            return std::make_unique<TToneBurst>(nullptr, "SIGNAL_TONE_BURST", &p.ToneBurst, Nyquist, nullptr, "");
        },
        tone, std::size(tone));
}

TEST_F(GeneratorDialogs, SweepsAndSteps)
{
    const TCase sweep[] = {
        {"start below 0", [](TDialog& d) { Text(d, 110, "-1"); },
         "Start Frequency must be between   0.00 and 22050.00 Hz.", nullptr},
        {"time 0", [](TDialog& d) { Text(d, 114, "0"); }, "Sweep time must be between 1 and 600000 Milliseconds.", nullptr},
        // Sweep frequencies of 0 pass.
        {"logarithmic once, sweeping back", [](TDialog& d) {
             Text(d, 110, "0"), Text(d, 112, "20000");
             d.CheckRadioButton(116, 117, 117);
             d.CheckItem(118);
             d.CheckRadioButton(119, 120, 119);
         },
         "",
         [](const SignalParams& p) {
             EXPECT_EQ(p.FreqSweep.FStartHz, 0.0f);
             EXPECT_EQ(p.FreqSweep.FStopHz, 20000.0f);
             EXPECT_EQ(p.FreqSweep.SweepType, 2);
             EXPECT_EQ(p.FreqSweep.SingleSweepFlag, 1);
             EXPECT_EQ(p.FreqSweep.ReturnSweepFlag, 1);
         }},
    };
    Run([](SignalParams& p) {
            return std::make_unique<TFreqSweep>(nullptr, "SIGNAL_FREQ_SWEEP", &p.FreqSweep, Nyquist, nullptr, "");
        },
        sweep, std::size(sweep));

    const TCase step[] = {
        {"linear step 0", [](TDialog& d) { Text(d, 133, "0"); }, "The Step Size must be greater than zero.", nullptr},
        {"dwell", [](TDialog& d) { Text(d, 130, "600001"); }, "Step time must be between 1 and 600000 Milliseconds.", nullptr},
        {"twelfth octaves", [](TDialog& d) {
             d.CheckRadioButton(131, 132, 132);
             Text(d, 133, "0");
             d.SendDlgItemMessage(134, CB_SETCURSEL, 4);
         },
         "",
         [](const SignalParams& p) {
             EXPECT_EQ(p.FreqStep.StepType, 2);
             EXPECT_EQ(p.FreqStep.OctaveNumber, 12);
             EXPECT_EQ(p.FreqStep.StepSize, 0.0f);
         }},
    };
    Run([](SignalParams& p) {
            return std::make_unique<TFreqStep>(nullptr, "SIGNAL_FREQ_STEP", &p.FreqStep, Nyquist, nullptr, "");
        },
        step, std::size(step));

    const TCase level[] = {
        {"+1 dB", [](TDialog& d) { Text(d, 110, "1"); }, "Start Level must be between   0.00 and -96.00 dB.", nullptr},
        {"frequency", [](TDialog& d) { Text(d, 118, "30000"); },
         "Signal Frequency must be between   0.00 and 22050.00 Hz.", nullptr},
        {"accepted", [](TDialog& d) { Text(d, 110, "-96"), Text(d, 114, "250"); }, "",
         [](const SignalParams& p) {
             EXPECT_EQ(p.LevelSweep.StartDB, -96.0f);
             EXPECT_EQ(p.LevelSweep.TimeMSec, 250);
         }},
    };
    Run([](SignalParams& p) {
            return std::make_unique<TLevelSweep>(nullptr, "SIGNAL_LEVEL_SWEEP", &p.LevelSweep, Nyquist, nullptr, "");
        },
        level, std::size(level));
}

TEST_F(GeneratorDialogs, ToneListChecksOnlyRowsThatAreOn)
{
    const TCase cases[] = {
        {"row 3 on above Nyquist", [](TDialog& d) { d.CheckItem(102), Text(d, 202, "30000"); },
         "Frequency must be between 0 and 22050 Hz.", nullptr},
        {"row 1 too loud", [](TDialog& d) { Text(d, 400, "1"); }, "Power must be between -96 and 0 dB.", nullptr},
        {"rows off hold anything", [](TDialog& d) {
             Text(d, 205, "-50"), Text(d, 405, "40");
             d.CheckItem(101), Text(d, 401, "-20");
         },
         "",
         [](const SignalParams& p) {
             EXPECT_EQ(p.Tones[5].FreqHz, -50.0f);
             EXPECT_EQ(p.Tones[5].ToneEnable, 0);
             EXPECT_EQ(p.Tones[1].ToneEnable, 1);
             EXPECT_FLOAT_EQ(p.Tones[1].Amplitude, 0.1f);
         }},
    };
    Run([](SignalParams& p) { return std::make_unique<TTones>(nullptr, "SIGNAL_TONES", p.Tones, Nyquist, nullptr, ""); },
        cases, std::size(cases));
}

TEST_F(GeneratorDialogs, ShapesPulseIMDAndDTMF)
{
    const TCase sawtooth[] = {
        {"0 Hz", [](TDialog& d) { Text(d, 110, "0"); }, "Frequency must be between   0.00 and 22050.00 Hz.", nullptr},
        {"negative slope", [](TDialog& d) { d.CheckRadioButton(112, 113, 113); }, "",
         [](const SignalParams& p) { EXPECT_EQ(p.Sawtooth.Slope, -1); }},
    };
    Run([](SignalParams& p) {
            return std::make_unique<TSawtooth>(nullptr, "SIGNAL_SAWTOOTH", &p.Sawtooth, Nyquist, nullptr, "");
        },
        sawtooth, std::size(sawtooth));
    const TCase triangle[] = {
        {"0 Hz", [](TDialog& d) { Text(d, 110, "0"); }, "Frequency must be between   0.00 and 22050.00 Hz.", nullptr},
    };
    Run([](SignalParams& p) {
            return std::make_unique<TTriangular>(nullptr, "SIGNAL_TRIANGULAR", &p.Triangular, Nyquist, nullptr, "");
        },
        triangle, std::size(triangle));
    const TCase square[] = {
        {"duty 100", [](TDialog& d) { Text(d, 112, "100"); }, "Duty cycle must be between 1 and 99 Percent.", nullptr},
        {"accepted", [](TDialog& d) { Text(d, 110, "22050"), Text(d, 112, "25"); }, "",
         [](const SignalParams& p) {
             EXPECT_EQ(p.Square.FreqHz, 22050.0f);
             EXPECT_EQ(p.Square.DutyCyclePct, 25);
         }},
    };
    Run([](SignalParams& p) { return std::make_unique<TSquare>(nullptr, "SIGNAL_SQUARE", &p.Square, Nyquist, nullptr, ""); },
        square, std::size(square));
    const TCase pulse[] = {
        {"narrower than a sample", [](TDialog& d) { Text(d, 110, "21"); },
         "Pulse Width must be between 22 and 2200000 NanoSeconds.", nullptr},
        {"as wide as the interval", [](TDialog& d) { Text(d, 110, "10000"); },
         "Pulse Width must be less than the repitition interval", nullptr},
        {"single", [](TDialog& d) { d.CheckItem(114); }, "", [](const SignalParams& p) { EXPECT_EQ(p.Pulse.OneShotFlag, 1); }},
    };
    Run([](SignalParams& p) { return std::make_unique<TPulse>(nullptr, "SIGNAL_PULSE", &p.Pulse, Nyquist, nullptr, ""); },
        pulse, std::size(pulse));
    const TCase imd[] = {
        // A standard set checks nothing and keeps what the fields hold.
        {"set 2 with odd fields", [](TDialog& d) { d.CheckRadioButton(110, 112, 111), Text(d, 113, "-5"); }, "",
         [](const SignalParams& p) {
             EXPECT_EQ(p.IMD.IMDtype, 1);
             EXPECT_EQ(p.IMD.LoFreqHz, -5.0f);
         }},
        {"custom high below low", [](TDialog& d) {
             d.CheckRadioButton(110, 112, 112);
             Text(d, 113, "3000"), Text(d, 114, "2000");
         },
         "High Frequency must be greater than the Low Frequency", nullptr},
    };
    Run([](SignalParams& p) { return std::make_unique<TIMDDialog>(nullptr, "SIGNAL_IMD", &p.IMD, Nyquist, nullptr, ""); }, imd,
        std::size(imd));
    const TCase dtmf[] = {
        {"twist", [](TDialog& d) { Text(d, 503, "31"); }, "Twist must be between -30 and +30 dB", nullptr},
        {"keys as typed", [](TDialog& d) { Text(d, 500, "12x#"), Text(d, 502, "50"), d.CheckItem(504); }, "",
         [](const SignalParams& p) {
             EXPECT_STREQ(p.DTMF.KeyString, "12x#");
             EXPECT_EQ(p.DTMF.PulseSpacingMsec, 50);
             EXPECT_EQ(p.DTMF.RepeatFlag, 1);
         }},
    };
    Run([](SignalParams& p) { return std::make_unique<TDTMFSignalDialog>(nullptr, "SIGNAL_DTMF", &p.DTMF, nullptr, ""); },
        dtmf, std::size(dtmf));
    // The IMD dialog's boxes carry the stop icon.
    SignalParams p = DefaultSignal(IMDTonesSignal);
    TIMDDialog dialog(&Owner, "SIGNAL_IMD", &p.IMD, Nyquist, nullptr, "");
    ASSERT_TRUE(dialog.Create());
    dialog.CheckRadioButton(110, 112, 112);
    Text(dialog, 115, "11");
    Messages().clear();
    dialog.SendMessage(WM_COMMAND, IDOK, 0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Style & MB_ICONMASK, unsigned(MB_ICONSTOP));
    dialog.Destroy();
}

TEST_F(GeneratorDialogs, SetupShowsTheRecordInItsFormats)
{
    SignalParams p = DefaultSignal(Tone1kSignal);
    TFreqSweep sweep(&Owner, "SIGNAL_FREQ_SWEEP", &p.FreqSweep, Nyquist, nullptr, "");
    ASSERT_TRUE(sweep.Create());
    EXPECT_EQ(sweep.GetItemText(110), "1000.00");
    EXPECT_EQ(sweep.GetItemText(114), "1000");
    EXPECT_EQ(sweep.IsItemChecked(116), UINT(BST_CHECKED));
    EXPECT_EQ(sweep.IsItemChecked(120), UINT(BST_CHECKED));
    // The spin bar steps the start by 100 Hz within 0 .. Nyquist.
    sweep.SendMessage(WM_VSCROLL, SB_LINEUP, LPARAM(sweep.GetDlgItem(111)));
    EXPECT_EQ(sweep.GetItemText(110), "1100");
    sweep.Destroy();

    TDTMFSignalDialog dtmf(&Owner, "SIGNAL_DTMF", &p.DTMF, nullptr, "");
    ASSERT_TRUE(dtmf.Create());
    EXPECT_EQ(dtmf.GetItemText(500), "1234567890*#ABCD");
    EXPECT_EQ(dtmf.GetItemText(503), "3.00");
    dtmf.Destroy();

    TTones tones(&Owner, "SIGNAL_TONES", p.Tones, Nyquist, nullptr, "");
    ASSERT_TRUE(tones.Create());
    EXPECT_EQ(tones.GetItemText(201), "2000.00");
    EXPECT_EQ(tones.GetItemText(400), "0.00");
    EXPECT_EQ(tones.IsItemChecked(100), UINT(BST_CHECKED));
    EXPECT_EQ(tones.IsItemChecked(101), UINT(BST_UNCHECKED));
    tones.Destroy();
}

TEST_F(GeneratorDialogs, CancelChangesNothing)
{
    SignalParams p = DefaultSignal(Tone1kSignal);
    const auto before = Snapshot(p);
    TNoiseBurst dialog(&Owner, "SIGNAL_NOISE_BURST", &p.NoiseBurst, nullptr, "");
    ASSERT_TRUE(dialog.Create());
    Text(dialog, 603, "10");
    dialog.CheckRadioButton(110, 111, 110);
    dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(dialog.GetHandle(), nullptr);
    EXPECT_EQ(Snapshot(p), before);
}

TEST_F(GeneratorDialogs, HelpOpensTheDialogsContext)
{
    static std::vector<DWORD_PTR> contexts;
    contexts.clear();
    THtmlHelp::SetEntry([](HWND, LPCSTR file, UINT command, DWORD_PTR data) -> HWND {
        if (command == THtmlHelp::HelpContext && std::string(file) == "help.chm") contexts.push_back(data);
        return nullptr;
    });
    SignalParams p = DefaultSignal(Tone1kSignal);
    OutputLevelStruct level = TDefaultRecords().Level;
    std::unique_ptr<TDialog> dialogs[] = {
        std::make_unique<TNoiseBurst>(&Owner, "SIGNAL_NOISE_BURST", &p.NoiseBurst, nullptr, "help.chm"),
        std::make_unique<TDTMFSignalDialog>(&Owner, "SIGNAL_DTMF", &p.DTMF, nullptr, "help.chm"),
        std::make_unique<TOutputLevelDialog>(&Owner, "SIGNAL_LEVEL", &level, nullptr, "help.chm"),
    };
    for (auto& d : dialogs) {
        ASSERT_TRUE(d->Create());
        d->SendMessage(WM_COMMAND, TSignalDialog::HelpId, 0);
        d->Destroy();
    }
    THtmlHelp::SetEntry(nullptr);
    EXPECT_EQ(contexts, (std::vector<DWORD_PTR>{560, 580, 600}));
}

TEST_F(GeneratorDialogs, WavePickKeepsTheChoiceEvenAfterCancel)
{
    class TPicked : public TWaveDialog {
    public:
        using TWaveDialog::TWaveDialog;

    protected:
        int ChooseFile(std::string& path) override
        {
            path = "C:\\signals\\chirp.wav";
            return IDOK;
        }
    };
    SignalParams p = DefaultSignal(UserDefinedSignal);
    TPicked dialog(&Owner, "SIGNAL_GET_WAVEFILE", "C:\\signals", p.UserDefined.WaveFileName,
                   &p.UserDefined.RepeatFlag, nullptr, "");
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.IsItemChecked(602), UINT(BST_CHECKED));
    dialog.SendMessage(WM_COMMAND, TWaveDialog::PickId, 0);
    EXPECT_EQ(dialog.GetItemText(600), "C:\\signals\\chirp.wav");
    dialog.CheckItem(602, BST_UNCHECKED);
    dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_STREQ(p.UserDefined.WaveFileName, "C:\\signals\\chirp.wav");
    EXPECT_EQ(p.UserDefined.RepeatFlag, 1);
}

TEST_F(GeneratorDialogs, OutputLevelChecksEachUnit)
{
    struct TLevelCase {
        const char* Name;
        std::function<void(TOutputLevelDialog&)> Fill;
        const char* Message;
    } cases[] = {
        {"percent 0.0", [](TOutputLevelDialog& d) {
             d.SendDlgItemMessage(114, CB_SETCURSEL, PercentFullScaleUnits);
             Text(d, 110, "0.0");
         },
         "Output Level must be between 0.0 and 100 percent"},
        {"2.01 V of 2.0", [](TOutputLevelDialog& d) {
             d.CheckRadioButton(115, 117, 115);
             Text(d, 118, "2.0");
             d.SendDlgItemMessage(114, CB_SETCURSEL, VoltsUnits);
             Text(d, 110, "2.01");
             Text(d, 112, "1.0");
         },
         "Output Level must be between 0.0 and 2.000000 volts"},
        {"2.0 V of 2.0", [](TOutputLevelDialog& d) {
             d.CheckRadioButton(115, 117, 115);
             Text(d, 118, "2.0");
             d.SendDlgItemMessage(114, CB_SETCURSEL, VoltsUnits);
             Text(d, 110, "2.0");
             Text(d, 112, "0.5");
         },
         ""},
        {"typed full scale of 0", [](TOutputLevelDialog& d) {
             d.CheckRadioButton(115, 117, 115);
             Text(d, 118, "0");
         },
         "Full Scale Level must be greater than 0.0 volts"},
        {"dB 0.0 and -96.0", [](TOutputLevelDialog& d) { Text(d, 110, "0.0"), Text(d, 112, "-96.0"); }, ""},
    };
    for (const TLevelCase& c : cases) {
        SCOPED_TRACE(c.Name);
        OutputLevelStruct level = TDefaultRecords().Level;
        TOutputLevelDialog dialog(&Owner, "SIGNAL_LEVEL", &level, nullptr, "");
        ASSERT_TRUE(dialog.Create());
        Messages().clear();
        c.Fill(dialog);
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
        if (*c.Message) {
            ASSERT_EQ(Messages().size(), 1u);
            EXPECT_EQ(Messages()[0].Text, c.Message);
            EXPECT_NE(dialog.GetHandle(), nullptr);
            dialog.Destroy();
        } else {
            EXPECT_TRUE(Messages().empty());
            EXPECT_EQ(dialog.GetHandle(), nullptr);
        }
    }
}

TEST_F(GeneratorDialogs, OutputLevelOptionsSetUnitsAndFields)
{
    OutputLevelStruct level = TDefaultRecords().Level;
    TOutputLevelDialog dialog(&Owner, "SIGNAL_LEVEL", &level, nullptr, "");
    ASSERT_TRUE(dialog.Create());
    // The stored option is "I don't know": all seven units are offered at first.
    EXPECT_EQ(dialog.SendDlgItemMessage(114, CB_GETCOUNT), OutputUnitCount);
    EXPECT_FALSE(::IsWindowEnabled(dialog.GetDlgItem(119)));
    EXPECT_EQ(dialog.GetItemText(110), " 0.000");

    dialog.CheckRadioButton(115, 117, 117);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(117, BN_CLICKED), LPARAM(dialog.GetDlgItem(117)));
    dialog.SendDlgItemMessage(119, CB_SETCURSEL, 1);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(119, CBN_SELCHANGE), LPARAM(dialog.GetDlgItem(119)));
    EXPECT_EQ(dialog.GetItemText(118), "4.945");
    EXPECT_EQ(dialog.GetItemText(110), "4.945");
    EXPECT_EQ(dialog.GetItemText(112), "4.945");
    EXPECT_EQ(dialog.SendDlgItemMessage(114, CB_GETCURSEL), VoltsUnits);

    dialog.CheckRadioButton(115, 117, 116);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(116, BN_CLICKED), LPARAM(dialog.GetDlgItem(116)));
    EXPECT_EQ(dialog.SendDlgItemMessage(114, CB_GETCOUNT), 2);
    EXPECT_EQ(dialog.GetItemText(118), "");
    EXPECT_EQ(dialog.GetItemText(110), "0.0");

    dialog.SendDlgItemMessage(114, CB_SETCURSEL, PercentFullScaleUnits);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(114, CBN_SELCHANGE), LPARAM(dialog.GetDlgItem(114)));
    EXPECT_EQ(dialog.GetItemText(112), "100.0");
    dialog.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_EQ(level.OutputUnits, PercentFullScaleUnits);
    EXPECT_EQ(level.OutputLevelR, 100.0f);
    EXPECT_EQ(level.FSOption, FullScaleUnknown);
    EXPECT_EQ(level.FSCardType, 1);
}

TEST_F(GeneratorDialogs, SignalLengthShowsTheTotalAndCancelKeepsTheMultiplier)
{
    TWaveData signal(2 * 8000, TWaveFormat(8000, 1, 2));
    int32_t multiplier = 1;
    {
        TSignalToWaveOptionsDialog dialog(&Owner, "SIGNAL_SAVE_AS_LENGTH", &signal, &multiplier, nullptr);
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.SendDlgItemMessage(302, CB_GETCOUNT), 20);
        EXPECT_EQ(dialog.GetItemText(303), "  2.00");
        dialog.SendDlgItemMessage(302, CB_SETCURSEL, 19);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(302, CBN_SELCHANGE), LPARAM(dialog.GetDlgItem(302)));
        EXPECT_EQ(dialog.GetItemText(304), " 40.00");
        dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
    }
    EXPECT_EQ(multiplier, 1);
    {
        TSignalToWaveOptionsDialog dialog(&Owner, "SIGNAL_SAVE_AS_LENGTH", &signal, &multiplier, nullptr);
        ASSERT_TRUE(dialog.Create());
        dialog.SendDlgItemMessage(302, CB_SETCURSEL, 19);
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
    }
    EXPECT_EQ(multiplier, 20);
    TSignalToWaveOptionsDialog empty(&Owner, "SIGNAL_SAVE_AS_LENGTH", nullptr, &multiplier, nullptr);
    ASSERT_TRUE(empty.Create());
    EXPECT_EQ(empty.GetItemText(303), "Text");
    EXPECT_EQ(empty.GetItemText(304), "Text");
    empty.Destroy();
}
