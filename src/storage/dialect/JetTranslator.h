#pragma once
#include "storage/dialect/SqlTokenizer.h"
#include <string>
#include <vector>

struct ColumnDef;

// Rewrites one Access (Jet) statement as SQLite runs it with the same effect:
// "select top N" (nested too) becomes LIMIT, "Delete * from" loses its star,
// #date# and cdate('...') literals become canonical date-time text, format()
// on a date-time column becomes a prefix of that text, and values assigned to
// typed columns are brought into the form the column keeps (dates parsed,
// decimal(18,0) rounded, single precision cut to 7 digits, yes/no as 1/0).
// Values that are not literals are wrapped in the jet_* functions that
// Database registers, which do the same at run time.
class JetTranslator {
  public:
    // SQLite, or PostgreSQL holding the same columns in the same forms.
    enum class Target { Sqlite, Postgres };
    void setTarget(Target target) { m_target = target; }

    // `currentYear` completes dates written without a year ("05-15 12:30").
    // False, with a message, when the statement cannot mean what Jet made of
    // it: a date that is no date, a number column given text, an open quote.
    bool translate(const std::string& jet, int currentYear, std::string& sqlite,
                   std::string& error);

    // The column a text literal of `jet` that is not valid UTF-8 is meant
    // for (the one it is stored in or compared with); empty when none is
    // named or every literal is valid.
    std::string columnOfInvalidText(const std::string& jet);

  private:
    struct Slot {
        std::size_t begin, end;
        const ColumnDef* column;
    };
    struct Frame {
        int depth;
        std::string limit;
    };
    struct Work {
        const std::vector<SqlToken>& tokens;
        int year;
        bool postgres;
        std::vector<Slot>& valueSlots;
        std::vector<Frame> frames;
        int depth = 0;
        std::vector<int> derivedTables; // depths of "from (select ...)"
        std::string out;
        std::string error;
        // Tokens kept as written are copied from the statement in runs.
        const char* runBegin = nullptr;
        const char* runEnd = nullptr;

        void keep(std::string_view text) {
            if (runBegin && text.data() == runEnd) {
                runEnd += text.size();
                return;
            }
            flush();
            runBegin = text.data();
            runEnd = runBegin + text.size();
        }
        void write(std::string_view text) {
            flush();
            out.append(text);
        }
        char lastChar() const { return runBegin ? runEnd[-1] : out.empty() ? ' ' : out.back(); }
        void flush() {
            if (runBegin)
                out.append(runBegin, runEnd);
            runBegin = runEnd = nullptr;
        }
    };

    static void findSlots(Work& w);
    static void findInsertSlots(Work& w, std::size_t tableAt);
    static void findUpdateSlots(Work& w, std::size_t tableAt);
    static bool emitRange(Work& w, std::size_t begin, std::size_t end);
    static bool emitSlot(Work& w, const Slot& slot);
    static bool emitLiteral(Work& w, const ColumnDef& column, const SqlToken* sign,
                            const SqlToken& literal);
    static std::size_t emitSelect(Work& w, std::size_t at);
    static std::size_t emitDelete(Work& w, std::size_t at);
    static std::size_t emitCdate(Work& w, std::size_t at);
    static std::size_t emitFormat(Work& w, std::size_t at);
    static bool emitDateLiteral(Work& w, const std::string& text);
    static void emitString(Work& w, std::size_t at);
    static bool orderGroups(Work& w);
    static void closeFrames(Work& w);
    static void emitName(Work& w, const SqlToken& token);
    static void emitOpen(Work& w, std::size_t at);
    static void emitClose(Work& w, std::size_t at);
    static void appendReturning(Work& w);

    Target m_target = Target::Sqlite;
    // Kept between statements so that translating allocates little.
    std::vector<SqlToken> m_tokens;
    std::vector<Slot> m_slots;
};
