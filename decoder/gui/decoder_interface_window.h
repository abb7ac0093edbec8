#pragma once

// The modal window where the operator picks the decoder's COM port and
// connects to it. Its settings copy lives only while it is open; the result
// of a connection reaches the rest of the program through the decoder
// settings file, which identification rewrites. The port is left as the last
// action left it when the window closes.

#include "common/core/high_res_counter.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "decoder/core/decoder_interface_report.h"
#include "decoder/core/decoder_settings.h"
#include "decoder/core/serial_port.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tallimo::decoder {

class DecoderInterfaceWindow final : public QDialog {
    Q_OBJECT

public:
    // Reads the labels and the settings file at once; missing files are
    // reported through `dialogs` and the window opens anyway.
    DecoderInterfaceWindow(SerialPort& port, const common::HighResCounter& counter,
                           common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                           QWidget* parent = nullptr);

    // The window's copy: as read, then as the last connection found, with the
    // model the operator may have clicked since.
    const DecoderSettings& settings() const { return m_settings; }

private:
    void buildControls();
    void loadTexts();
    void loadSettings();
    void connectDecoder();
    void chooseModel(DecoderModelChoice choice);
    void showModel();
    void showDevicePath();
    void showIndicator();

    SerialPort& m_port;
    const common::HighResCounter& m_counter;
    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;

    DecoderInterfaceRows m_rows;
    DecoderSettings m_settings;

    QGroupBox* m_messageGroup = nullptr;
    QPlainTextEdit* m_report = nullptr;
    QGroupBox* m_modelGroup = nullptr;
    QRadioButton* m_vela1 = nullptr;
    QRadioButton* m_vela2Usb = nullptr;
    QRadioButton* m_vela2Bluetooth = nullptr;
    QGroupBox* m_portGroup = nullptr;
    QComboBox* m_portList = nullptr;
    QLabel* m_devicePath = nullptr;
    QPushButton* m_connect = nullptr;
    QPushButton* m_ok = nullptr;
    QLabel* m_indicator = nullptr;
};

} // namespace tallimo::decoder
