// Runs a parsed script against one open instance of an external, as application code
// runs: variables live in the host, functions are called by their table names, and
// the parameters a function writes (pictures, sizes) come back into the variables passed.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "function_table.h"
#include "script_parser.h"

namespace figcli {

struct ScriptPlace {
    std::string scriptPath;  // named in messages
    std::string outputDir;   // Save and ComposeFile's outputPath write here
    std::string besidePath;  // Load and Csv read beside it; empty: in the current folder
};

class ScriptRunner {
public:
    ScriptRunner(figsim::External &external, ScriptPlace place);
    ~ScriptRunner();

    // Runs the statements in order and stops at the first error, which it reports.
    bool Run(const std::vector<Statement> &statements);
    // Calls that answered a ResultCode other than 0 (each reported as it happened).
    int failedCalls() const { return failedCalls_; }

private:
    struct Variable {
        VarType type;
        figsim::Value value;  // numbers, texts and pictures; a list lives in the host under its name
        SourcePosition declaredAt;
    };

    bool Execute(const Statement &s);
    bool Declare(const Statement &s);
    bool InitialValue(const Statement &s, Variable *v);
    bool Construct(const Call &call, const Statement &s, Variable *v);
    bool MakeBlank(const Call &call, Variable *v);
    bool DoCall(const Statement &s);
    bool Save(const Call &call);
    bool Print(const Statement &s);
    bool StoreResult(const Statement &s, int16_t result);

    bool Fail(SourcePosition at, const std::string &message);
    bool ArgumentCount(const Call &call, size_t count);
    const Variable *Find(const Operand &operand);  // reports an unknown variable
    bool ValueOf(const Operand &operand, VarType type, figsim::Value *out);
    bool NumberArgument(const Operand &operand, double *out);
    bool TextArgument(const Operand &operand, std::string *out);
    bool Argument(const Operand &operand, const std::string &param, std::string *what, figsim::Value *out);
    bool ColourWord(const Operand &operand, double *value) const;
    bool ColourArgument(VarType type, figsim::Value *value, std::string *what);
    std::string Show(const Operand &operand);
    std::string Beside(const std::string &path) const;     // relative to the script
    std::string InOutput(const std::string &path) const;   // relative to the output folder

    figsim::Host host_;
    FunctionTable table_;
    ScriptPlace place_;
    std::map<std::string, Variable> variables_;
    int failedCalls_ = 0;
};

}  // namespace figcli
