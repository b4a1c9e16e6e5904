#include "ModalWindows.h"

bool CModalWindows::Closed() {
    if (m_open > 0) {
        --m_open;
    }
    return m_open == 0 && m_endAsked;
}

bool CModalWindows::AskEnd() {
    m_endAsked = true;
    return m_open == 0;
}
