#pragma once
// Sets a process-wide flag for the life of the guard and gives it back its previous
// value when the scope ends, also on an early return or an exception. The only way
// Not_Draw_Only_Prop_Change and copy_card_design are set.
class Scoped_Flag {
public:
    explicit Scoped_Flag(char &flag, char value = 1) : m_flag(flag), m_old(flag) { flag = value; }
    ~Scoped_Flag() { m_flag = m_old; }
    Scoped_Flag(const Scoped_Flag &) = delete;
    Scoped_Flag &operator=(const Scoped_Flag &) = delete;

private:
    char &m_flag;
    char m_old;
};
