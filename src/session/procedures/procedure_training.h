#pragma once
// The gauge's two learning modes. Training on an empty tank teaches the
// gauge the echoes of the tank's fittings (it takes 15 s and leaves bad
// zones behind); the correction of the ММП tunes its phase-frequency
// characteristic against a product at a known distance (3 s). The program
// waits out the gauge's time with a progress window, then reads what the
// gauge learned and opens the parameters window on it.

#include <QString>

struct TProcedureContext;
class TCommandSender;

// The gauge's learning time: "Обучение занимает " + seconds + " секунд" at
// step k of `seconds`, one second (of the program clock) per step, shown by
// the sender's operator; the window closes at the end, or at once when the
// procedure is asked to stop.
void WaitForTraining(const TCommandSender &sender, int seconds);

// "Обучение на пустом резервуаре": only after the operator confirms that
// the tank is empty.
void StartTraining(const TProcedureContext &context, const QString &hint);
// "Коррекция ММП": only with the product between 1500 and 4000 mm from the
// flange (both included) by the model's present distance.
void StartCorrection(const TProcedureContext &context, const QString &hint);
