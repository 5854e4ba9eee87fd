#include "form/Form.h"

namespace datrelle {

CheckBox* Form::CheckBoxFor(ControlId id) {
    switch (id) {
        case ControlId::Check1:
            return &Check1;
        case ControlId::Check2:
            return &Check2;
        case ControlId::Check3:
            return &Check3;
        case ControlId::Check4:
            return &Check4;
        default:
            return nullptr;
    }
}

CommandButton* Form::ButtonFor(ControlId id) {
    switch (id) {
        case ControlId::Command1:
            return &Command1;
        case ControlId::Command2:
            return &Command2;
        case ControlId::Command3:
            return &Command3;
        case ControlId::Command4:
            return &Command4;
        case ControlId::Command5:
            return &Command5;
        case ControlId::Command6:
            return &Command6;
        case ControlId::Command7:
            return &Command7;
        case ControlId::Command8:
            return &Command8;
        case ControlId::Command9:
            return &Command9;
        default:
            return nullptr;
    }
}

}  // namespace datrelle
