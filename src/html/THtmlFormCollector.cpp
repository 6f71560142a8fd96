#include "html/THtmlFormCollector.h"
#include "html/THtmlAttributes.h"
#include "html/THtmlRewriteContext.h"

using A = THtmlAttributes;

namespace {

// No page offers a list of more entries than this.
constexpr int kMaxOptions = 10000;

THtmlObjectInfo::Kind InputKind(const QString& type)
{
    static const std::pair<const char*, THtmlObjectInfo::Kind> kKinds[] = {
        {"password", THtmlObjectInfo::Password}, {"checkbox", THtmlObjectInfo::CheckBox},
        {"radio", THtmlObjectInfo::Radio},       {"submit", THtmlObjectInfo::Submit},
        {"reset", THtmlObjectInfo::Reset},       {"button", THtmlObjectInfo::Button},
        {"image", THtmlObjectInfo::ImageButton}, {"file", THtmlObjectInfo::File},
    };
    for (const auto& [name, kind] : kKinds)
        if (type == QLatin1String(name))
            return kind;
    return THtmlObjectInfo::TextInput;
}

} // namespace

THtmlFormCollector::THtmlFormCollector(THtmlRewriteContext& context) : m_context(context) {}

int THtmlFormCollector::AddControl(THtmlObjectInfo info)
{
    if (++m_controls > THtmlRewriter::kMaxControls)
        return -1;
    return m_context.AddObject(std::move(info));
}

void THtmlFormCollector::StartForm() { m_form = m_context.Page().formCount++; }

void THtmlFormCollector::EndForm() { m_form = -1; }

void THtmlFormCollector::StartInput(const THtmlToken& t)
{
    const QString type = t.Attr(QStringLiteral("type"), QStringLiteral("text")).trimmed().toLower();
    if (type == QLatin1String("hidden"))
        return;
    THtmlObjectInfo info;
    info.kind = InputKind(type);
    info.form = m_form;
    info.name = t.Attr(QStringLiteral("name"));
    info.value = t.Attr(QStringLiteral("value"));
    info.checked = t.Has(QStringLiteral("checked"));
    info.size = A::Int(t, QStringLiteral("size"), -1, 1, 300);
    info.maxLength = A::Int(t, QStringLiteral("maxlength"), -1, 0, 1000000);
    if (info.kind == THtmlObjectInfo::ImageButton) {
        info.src = t.Attr(QStringLiteral("src")).trimmed();
        info.alt = t.Attr(QStringLiteral("alt"), info.value);
        int v;
        if (A::LeadingInt(t.Attr(QStringLiteral("width")), &v))
            info.width = std::clamp(v, 0, 4000);
        if (A::LeadingInt(t.Attr(QStringLiteral("height")), &v))
            info.height = std::clamp(v, 0, 4000);
        info.border = A::Int(t, QStringLiteral("border"), -1, 0, 50);
    }
    AddControl(std::move(info));
}

void THtmlFormCollector::StartSelect(const THtmlToken& t)
{
    EndSelect();
    THtmlObjectInfo info;
    info.kind = THtmlObjectInfo::Select;
    info.form = m_form;
    info.name = t.Attr(QStringLiteral("name"));
    info.multiple = t.Has(QStringLiteral("multiple"));
    info.size = A::Int(t, QStringLiteral("size"), -1, 1, 100);
    m_select = AddControl(std::move(info));
    if (m_select >= 0)
        m_context.State().EnterSelect();
}

void THtmlFormCollector::EndSelect()
{
    EndOption();
    m_select = -1;
    m_context.State().LeaveSelect();
}

bool THtmlFormCollector::TakeStartInSelect(TTagKind kind, const THtmlToken& t)
{
    if (kind == TTagKind::Option) {
        StartOption(t);
        return true;
    }
    if (THtmlTagTable::IsInline(kind))
        return true;
    EndSelect();
    return false;
}

bool THtmlFormCollector::TakeEndInSelect(TTagKind kind)
{
    if (kind == TTagKind::Option) {
        EndOption();
        return true;
    }
    if (THtmlTagTable::IsInline(kind))
        return true;
    EndSelect(); // the end of the SELECT itself, or of anything else
    return false;
}

void THtmlFormCollector::StartOption(const THtmlToken& t)
{
    EndOption();
    if (m_select < 0)
        return;
    THtmlObjectInfo& s = m_context.Page().objects[m_select];
    if (s.options.size() >= kMaxOptions)
        return;
    m_option = int(s.options.size());
    m_optionHasValue = t.Has(QStringLiteral("value"));
    s.options << QString();
    s.optionValues << (m_optionHasValue ? t.Attr(QStringLiteral("value")) : QString());
    s.optionSelected << t.Has(QStringLiteral("selected"));
    m_optionText.clear();
}

void THtmlFormCollector::EndOption()
{
    if (m_select < 0 || m_option < 0)
        return;
    THtmlObjectInfo& s = m_context.Page().objects[m_select];
    s.options[m_option] = m_optionText.simplified();
    if (!m_optionHasValue)
        s.optionValues[m_option] = s.options[m_option];
    m_option = -1;
    m_optionText.clear();
}

void THtmlFormCollector::OptionText(const QString& text)
{
    if (m_option >= 0)
        m_optionText += text;
}

void THtmlFormCollector::StartTextArea(const THtmlToken& t)
{
    THtmlObjectInfo info;
    info.kind = THtmlObjectInfo::TextArea;
    info.form = m_form;
    info.name = t.Attr(QStringLiteral("name"));
    info.rows = A::Int(t, QStringLiteral("rows"), 2, 1, 100);
    info.cols = A::Int(t, QStringLiteral("cols"), 20, 1, 300);
    m_textArea = AddControl(std::move(info));
}

void THtmlFormCollector::TextAreaText(const QString& text)
{
    std::vector<THtmlObjectInfo>& objects = m_context.Page().objects;
    if (m_textArea >= 0 && m_textArea < int(objects.size())) {
        QString t = text;
        // A line break right after the start tag is not part of the text.
        if (t.startsWith(QLatin1String("\r\n")))
            t.remove(0, 2);
        else if (t.startsWith(u'\n'))
            t.remove(0, 1);
        objects[m_textArea].text = t;
    }
    m_textArea = -1;
}

void THtmlFormCollector::StartIsIndex(const THtmlToken& t)
{
    THtmlMarkupWriter& w = m_context.Writer();
    m_context.CloseParagraph();
    w.Emit(QStringLiteral("<hr>"));
    m_context.EnsureTextContext();
    w.EmitText(t.Attr(QStringLiteral("prompt"),
                      QStringLiteral("This is a searchable index. Enter search keywords: ")));
    THtmlObjectInfo info;
    info.kind = THtmlObjectInfo::TextInput;
    info.size = 30;
    AddControl(std::move(info));
    m_context.CloseParagraph();
    w.Emit(QStringLiteral("<hr>"));
    w.SetInlineContent(false);
}
