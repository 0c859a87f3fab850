#include "app/HiddenKeySequence.h"

int HiddenKeySequence::LetterAt(int position)
{
    return kWord[static_cast<std::size_t>(position) % kWord.size()];
}

bool HiddenKeySequence::Press(int key)
{
    if (key == LetterAt(m_position)) {
        ++m_position;
    } else {
        m_position = key == LetterAt(0) ? 1 : 0;
    }
    if (m_position < kLength)
        return false;
    m_position = 0;
    return true;
}
