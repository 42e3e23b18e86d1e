#pragma once
// A request to the gauge and the gauge's answer, as values.
//
// A request carries everything its frame needs from the moment the command
// is started (the address, the value a write sends, the block a block read
// asks for), so it can be built in whatever thread sends it without looking
// at the model the windows show. The answer is parsed where it arrives into
// an immutable TGaugeAnswer; the model takes it later, in its own thread
// (Ttolm472::Apply), and the archive and the procedures read it directly.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

struct TParameter;

struct TGaugeRequest {
    int Code = -1;
    uint8_t Address = 255;
    double Value = 0;            // a word or float parameter write: the value sent
    uint16_t PlantNumber = 0;    // an address change: the gauge that takes the new address
    uint8_t NewAddress = 0;      // an address change: the address it takes
    uint16_t NewPlantNumber = 0; // a plant number write
    uint16_t BlockIndex = 0;     // a block read: the 1-based block asked for
};

// What the parse of an answer needs to know of the request that brought it.
// The array kind is the gauge's mode set by the last init command, whatever
// other requests went out in between.
struct TAnswerContext {
    uint8_t ReadSelector = 0;
    uint8_t ByteValueNumber = 0;
    uint8_t WordParamReadNumber = 0;
    uint8_t FloatParamReadNumber = 0;
    uint16_t BlockIndex = 0;
    uint8_t ArrayKind = 0;
};

// Failure counting and status of one device on the line: a failure shows
// only once ErrorMax failures came in a row, so a single garbled answer on a
// noisy line does not flash the link indicator. Kept by whoever parses the
// device's answers; each parse leaves the steps it took on the link state.
struct TLinkStatus {
    struct TStep {
        int Value = 0;                  // 1 accepted, 2 failure reported
        std::optional<QString> Caption; // the failure's text, for a report
    };
    uint16_t ErrorMax = 0;
    uint16_t ErrorCount = 0;
    int32_t LastErrorCode = 0;
    QString LastErrorText = QStringLiteral("Норма");
    int LinkState = 0; // 0 no answer yet, 1 accepted, 2 failure reported
    std::vector<TStep> Steps; // of the latest parse, in order

    void CountError();
    bool ErrorLimitReached() const { return ErrorCount >= ErrorMax; }
    void ReportStatus(int32_t code, const QString &text);
    void Accept();
    void Fail(int32_t code, const QString &text);
    // Back to "Норма" before an answer is looked at; the steps of the parse
    // before are forgotten.
    void BeginParse();
};

// The values the polling reads, in the order of the all-readings answer and
// then the temperature; the meter's current last.
enum class TReadingKind { Freq, Distance, Level, LevelFree, Reserve, Temp, CurrentOutput, Count };

struct TSignatureAnswer {
    uint8_t Address = 0;
    uint8_t UnitType = 0;
    uint16_t PlantNumber = 0;
    uint8_t HardVersion = 0;
    uint8_t SoftVersion = 0;
    bool NewAddress = false; // the answer of an address change: the gauge answers from its new address
};

struct TIdentificationAnswer {
    uint8_t Address = 0;
    uint8_t UnitType = 0;
    uint16_t PlantNumber = 0;
    uint8_t HardVersion = 0;
    uint8_t SoftVersionHost = 0;
    uint8_t SoftVersionCOS = 0;
    uint16_t CRC16Host = 0;
    uint16_t CRC16COS = 0;
};

struct TDataBlock {
    static constexpr int Size = 32;
    uint8_t ArrayKind = 0; // 20 signal (i32), 30 spectrum (f32)
    int First = 0;         // index of the block's first value in its array
    std::array<double, Size> Values{}; // a signal's i32 held exactly
};

struct TGaugeAnswer {
    int Code = -1;           // the command that was sent; CurrentOutputReading for the meter
    bool Sent = false;       // a frame went out (false: the port was not open)
    QByteArray Answer;       // as received, checksum included; empty when nothing came
    TLinkStatus Status;      // of the device after this answer, with the steps of this parse
    uint8_t ArrayKind = 0;   // the gauge's array mode after its request
    bool Recognised = false; // a whole frame of a function the program knows
    bool Taken = false;      // an answer that is not an error answer, counted no refusal, left no negative code

    std::array<std::optional<double>, size_t(TReadingKind::Count)> Readings{};
    std::optional<uint16_t> Usil;
    std::optional<TSignatureAnswer> Signature;
    std::optional<TIdentificationAnswer> Identification;
    const TParameter *Parameter = nullptr; // a parameter read back, with its value
    double ParameterValue = 0;
    std::optional<uint8_t> ProgramType;
    std::optional<uint8_t> BlackBoxStatus; // a status word for the status log
    std::optional<TDataBlock> Block;
    QString Message; // for the operator

    std::optional<double> Reading(TReadingKind kind) const { return Readings[size_t(kind)]; }
    bool Accepted() const { return Sent && Taken; }
};

// The payload (address, function, data; no CRC) of `request`. `arrayKind`
// is the gauge's array mode: a block read is checked against it and an init
// command sets it. `context` receives what the parse of the answer needs.
// nullopt for a code that is not a command and for a refused block read;
// *error says why.
std::optional<QByteArray> BuildGaugeRequest(const TGaugeRequest &request, uint8_t &arrayKind,
                                            TAnswerContext *context, QString *error);

// The gauge's answer to a request with `context`, counted in `status`.
TGaugeAnswer ParseGaugeAnswer(const TAnswerContext &context, const QByteArray &answer, TLinkStatus &status);
// The current-loop meter's answer, counted in the meter's own `status`.
TGaugeAnswer ParseMeterAnswer(const QByteArray &answer, TLinkStatus &status);
