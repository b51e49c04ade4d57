#!/usr/bin/env python3
"""Writes the two help documents the program carries (src/ui/common/help/*.docx).

Run once after changing the texts below and commit the results; the build
embeds the files as they are. The zip entries carry a fixed date so that the
output is the same on every run.
"""
import os
import zipfile
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "src", "ui", "common", "help")

TUTORIAL = [
    ("title", "Tablewise 3.0 使用教程"),
    ("p", "Tablewise 是餐馆和外卖厨房的收银助手：在主界面点单，按 F12 保存订单并打印小票。本教程按一天的工作顺序介绍常用操作。"),
    ("h1", "一、主界面一览"),
    ("p", "左边是“点单(F1)”：输入菜品代码，下面的列表显示找到的菜品。中间是订单信息、“已点菜品(F6)”表格和“备注信息(F7)”。右边依次是“桌号/号牌(F2)”、“送餐信息(F3)”、“折扣信息(F4)”、“付款信息(F5)”和各个按钮。"),
    ("p", "功能键只在主界面是当前窗口时有效：F1 到 F7 把光标移到对应的区域，F10 清空订单，F11 只打印不保存，F12 结算（保存并打印）。"),
    ("p", "窗口最下面的状态栏显示今日打单数量和今日收入总额。"),
    ("h1", "二、点单"),
    ("bullet", "按 F1，在“菜品代码：”里输入数字代号（如 005）或字母代号（如 bcrsj，菜名拼音首字母，小写）。只要代号中包含输入的内容就会列出，例如输入 1 会列出 001、010、101 等。"),
    ("bullet", "用上下方向键选择列表中的菜品，按回车。"),
    ("bullet", "在弹出的“菜品选择”中输入数量后按回车；按 Esc 键取消选择。"),
    ("bullet", "菜品加入“已点菜品”表格，单位和小计自动填写，合计、已付和实付随之更新。光标回到菜品代码框，可以直接输入下一个代号。"),
    ("p", "在表格里可以直接修改数量或小计：改数量后小计重新计算；手工填写的小计会保留。双击菜名一格可以从全部菜品中重新选择。"),
    ("p", "删除一道菜：选中该行，按 Delete 键，或点右键选择“删除行”，确认后删除。"),
    ("h1", "三、桌号与送餐信息"),
    ("bullet", "堂食：按 F2，在“桌号代码：”中输入桌号的数字代号，右边的下拉框自动选中对应的桌号或号牌；也可以直接在下拉框中选择。"),
    ("bullet", "外卖：按 F3，输入电话。老客户的姓名和地址会自动填出；新客户填写姓名和地址后，可以点“保存客户”先保存，结算时也会自动记入客户资料。"),
    ("h1", "四、折扣与付款"),
    ("p", "按 F4 选择减免名称，填写减免份数和减免金额。减免金额会从合计中扣除，得到已付和实付。按 F5 选择支付方式（现金支付、微信支付、支付宝支付、在线支付、到付、混合支付），必要时可以手工修改合计、已付和实付。"),
    ("h1", "五、结算与打印"),
    ("bullet", "按 F12 或点“打单结算(F12)”：订单保存到数据库，同时打印小票（份数在“设置菜单 → 打印设置”中设定）。打印成功后订单清空，编号自动加一。"),
    ("bullet", "按 F11 或点“打单(F11)”：只打印一张小票，不保存，订单留在屏幕上。"),
    ("bullet", "点“预览”可以打开或关闭小票预览窗口，预览随订单内容实时变化。"),
    ("bullet", "按 F10 或点“清空(F10)”，确认后清空当前订单，开始下一单。票头、店铺名称、减免和支付方式会保留。"),
    ("p", "编号是当天的订单序号，每天从 1 开始。程序跨过零点继续运行时，编号会自动从 1 重新开始。"),
    ("h1", "六、修改已保存的订单"),
    ("p", "点工具栏的“历史订单”，找到要修改的订单，双击或点“修改”。订单回到主界面，结算按钮变为“修改(F12)”。修改后按 F12 保存，可以选择是否重新打印小票。修改期间下单时间保持原来的时间。"),
    ("h1", "七、基础资料与报表"),
    ("bullet", "工具栏“菜单设置”维护菜品（代号、字母代号、菜名、价格、单位）；“桌号设置”维护桌号和号牌；“客户设置”维护外卖客户。"),
    ("bullet", "“设置菜单”中可以维护票头、店铺名称和减免名称，并在“打印设置”中选择 58 毫米或 80 毫米小票、字体大小、打印份数和图片。"),
    ("bullet", "“收入报表”和“销售统计”按日、月、季度、年统计收入和菜品销量，并显示趋势图和饼图。"),
    ("bullet", "下单时间旁的“时间格式”按钮可以选择时间的显示格式。"),
    ("h1", "八、数据保存在哪里"),
    ("p", "所有数据保存在数据文件夹下的 data/data.mdb 中，设置保存在该数据库和数据文件夹中的“配置文件.ini”里，帮助文档也写在这里。"),
    ("bullet", "把程序单独复制到一个可以写入的文件夹中运行时，数据文件夹就是程序所在的文件夹。"),
    ("bullet", "安装版（Debian 软件包）的数据文件夹在每个用户自己的主目录下：~/.local/share/Tablewise。同一台电脑上的每个用户有自己的数据。"),
    ("p", "“帮助 → 关于”显示数据文件夹的位置。备份时复制整个数据文件夹即可；卸载程序不会删除它。"),
    ("h1", "九、忙时收银：挂单、取单、估清和上次订单"),
    ("bullet", "挂单(F8)：电话订单还没定下来、又有客人要先结账时，按 F8 或点“挂单(F8)”，屏幕上的订单（菜品、桌号或客户、减免、支付方式、备注）原样挂起，主界面清空，可以接着点下一单。挂单不占编号，也不计入收入；状态栏显示当前挂单的数量。"),
    ("bullet", "取单(F9)：按 F9 或点“取单(F9)”，列出所有挂单（挂单时间、桌号或客户、合计、前几道菜），最新的一张已选中；按回车或双击，这张订单原样回到主界面，按 F12 结算时才给它编号。屏幕上已有订单时，取单前会先把它挂起，不会丢失。"),
    ("bullet", "挂单保存在数据库里，关闭程序、断电重启后仍在。多台收银台共用服务器时，每台都能看到全部挂单；一张挂单同时只能在一台收银台上打开，那台收银台关闭或死机后约两分钟，其他收银台就可以取走它。"),
    ("bullet", "正在修改已保存的订单，或订单已保存但小票没有打印时，不能挂单和取单。取回的挂单按 F10 清空时，这张挂单会一并删除。"),
    ("bullet", "估清：厨房某道菜卖完了，点“设置菜单 → 估清…”或“菜单设置”窗口里的“估清…”，选中菜品后点“估清”；只剩几份时填写“剩余份数”后点“设置剩余”；点“恢复供应”取消。点单列表中这道菜后面显示【估清】或【剩2】；点已估清的菜会被拒绝，点只剩几份的菜会先询问。结算时自动扣减剩余份数，份数不够时不保存并说明原因；修改或删除当天的订单会退回或扣减相应份数。估清只对当天有效，过了零点自动恢复，多台收银台共用同一个剩余份数。"),
    ("bullet", "上次订单：外卖老客户来电时，输入电话后点“送餐信息”里的“上次订单”，这位客户最近一张订单的菜品按今天的价格加入订单；已经不在菜单中或今日已估清的菜品不会加入，并提示是哪几道。"),
]

PRINTING = [
    ("title", "打印不了怎么办？"),
    ("p", "Tablewise 有两种打印方式，在“设置菜单 → 打印设置”的“打印机”页选择：“系统打印机”通过系统的打印服务（CUPS）打印，点“打单结算(F12)”后先弹出打印对话框，选择小票打印机后确定即可；“热敏打印机(ESC/POS)”不弹对话框，直接把小票发给热敏打印机（见第五节）。打印不出来时，请按下面的顺序逐项检查。"),
    ("h1", "一、检查打印机本身"),
    ("bullet", "打印机电源已打开，指示灯正常，没有缺纸、卡纸或打开纸仓盖。"),
    ("bullet", "USB 线或网线已插好。网络打印机请确认它与电脑在同一个网络，并能 ping 通它的地址。"),
    ("bullet", "按住打印机的走纸键开机，通常会打印一张自检页；自检页打不出来说明是打印机硬件问题。"),
    ("h1", "二、检查系统里是否有这台打印机"),
    ("bullet", "打开终端，输入 lpstat -p -d，可以看到系统中的打印机及其状态，以及默认打印机。"),
    ("bullet", "如果没有列出小票打印机，请在“设置 → 打印机”中添加，或在浏览器中打开 http://localhost:631 用 CUPS 网页添加。58/80 毫米热敏打印机一般选择厂商提供的驱动，或选择“Generic → Raw Queue”。"),
    ("bullet", "如果打印机状态显示“已停用”（disabled），输入 cupsenable 打印机名称 重新启用；输入 cupsaccept 打印机名称 允许接收任务。"),
    ("bullet", "确认 CUPS 服务正在运行：systemctl status cups。没有运行时用 sudo systemctl start cups 启动。"),
    ("h1", "三、检查打印任务"),
    ("bullet", "输入 lpq 或 lpstat -o 查看是否有卡住的任务；用 cancel -a 清除全部任务后再试。"),
    ("bullet", "用 echo 测试 | lp -d 打印机名称 打印一行文字，能打印说明系统和打印机都正常，问题在程序设置。"),
    ("h1", "四、检查 Tablewise 的设置"),
    ("bullet", "打印对话框中选择的是否是小票打印机，而不是“打印到文件（PDF）”或其他打印机。"),
    ("bullet", "在“设置菜单 → 打印设置”中，小票类型要与打印机的纸宽一致：58 毫米打印机选 58 小票，80 毫米打印机选 80 小票。"),
    ("bullet", "打印份数不能为 0。"),
    ("bullet", "小票内容打印不全或右边被截掉时，调整数据文件夹（见“帮助 → 关于”）里“配置文件.ini”中的“58小票打印宽度”或“80小票打印宽度”，数值越小打印区域越窄。"),
    ("bullet", "中文显示为方框时，请安装中文字体：sudo apt-get install fonts-wqy-zenhei。"),
    ("h1", "五、热敏打印机(ESC/POS)的设置"),
    ("bullet", "打印机连接：网络打印机填 tcp:地址:端口，例如 tcp:192.168.1.50:9100（端口一般是 9100，可以省略）；USB 或串口打印机填设备文件，例如 dev:/dev/usb/lp0；系统里已有的“Raw”打印队列填 cups:队列名称。下拉框列出这台电脑上找到的设备和队列。"),
    ("bullet", "热敏打印模式：“图像”把小票按预览的样子打印成图片，任何热敏打印机都能打印；“文字”用打印机自带的中文字库，打印更快，但需要打印机支持中文。"),
    ("bullet", "每张小票后切纸：打印机带切刀时勾选；不勾选时每张小票后多走几行纸，方便撕下。"),
    ("bullet", "点“打印测试页”检查连接：测试页上印有连接、纸宽和一行数字标尺。"),
    ("p", "USB 打印机提示“没有写入权限”时，按提示把当前用户加入 lp 组（sudo usermod -aG lp 用户名），重新登录后再打印。"),
    ("h1", "六、钱箱"),
    ("bullet", "钱箱接在热敏打印机的钱箱接口上，只有选择“热敏打印机(ESC/POS)”时才能由程序打开。"),
    ("bullet", "勾选“结算后打开钱箱”后，只有支付方式为“现金支付”的订单结算时，在第一张小票打印后打开钱箱；微信、支付宝等其他支付方式、补打和重打小票都不会打开钱箱。"),
    ("bullet", "找零等需要打开钱箱时，选择“设置菜单 → 打开钱箱”。设置了管理密码时需要先输入管理密码；每次打开都会记入“操作记录”。使用系统打印机时这一项不可用。"),
    ("bullet", "菜名、备注等内容中不能含有控制字符（例如从别处复制来的不可见字符），保存或导入菜单时会提示哪一项含有控制字符；这样的字符不会被打印机当作指令（例如打开钱箱或切纸）。"),
    ("h1", "七、小票可能没有打印出来怎么办？"),
    ("p", "只有打印机在规定时间内收下了小票的全部内容，才算打印成功。打印机缺纸、卡纸、开盖、离线或网络不通时，程序会在几秒内提示“小票可能没有打印出来”，并写明打印机和原因。"),
    ("bullet", "结算时订单在打印之前已经保存，不会丢失。提示出现后订单仍留在屏幕上，显示为“订单已保存，小票没有打印”；排除打印机的问题后按 F11 补打，再按 F10 清空，开始下一单。也可以在“历史订单”中找到这张订单重新打印。"),
    ("bullet", "使用热敏打印机时，按 F12 后订单一保存屏幕就清空，可以马上输入下一单，小票在后台打印。小票没有打印出来时，如果还没有开始输入下一单，这张订单回到屏幕上，按上一条处理；如果已经在输入下一单，提示中点“补打”就再打这张小票（记入“操作记录”），点“稍后”则可以在打印机恢复后点状态栏上的“补打第…号小票”，正在输入的订单都不受影响。"),
    ("bullet", "提示可能出现在打印机已经打出一部分之后：请先看一看打印机，确认缺少的小票后再补打，避免重复出单。"),
    ("bullet", "一台打印机出问题不会耽误其他打印机，也不会耽误同一数据库的其他收银台。"),
    ("bullet", "补打和重打的小票在发送到打印机之前就记入“操作记录”；之后没有打印出来的，再记一条“小票未打印”。"),
    ("h1", "八、仍然无法解决"),
    ("p", "请记下打印机的型号、连接方式（USB 或网络）以及 lpstat -p 的输出，联系打印机的供应商或软件维护人员。"),
]

CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>
<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>
<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>
<Override PartName="/docProps/app.xml" ContentType="application/vnd.openxmlformats-officedocument.extended-properties+xml"/>
</Types>"""

ROOT_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties" Target="docProps/app.xml"/>
</Relationships>"""

DOCUMENT_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
</Relationships>"""

W = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"'

STYLES = f"""<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:styles {W}>
<w:docDefaults><w:rPrDefault><w:rPr>
<w:rFonts w:ascii="Arial" w:hAnsi="Arial" w:eastAsia="SimSun" w:cs="Arial"/>
<w:sz w:val="22"/><w:szCs w:val="22"/><w:lang w:val="en-US" w:eastAsia="zh-CN"/>
</w:rPr></w:rPrDefault>
<w:pPrDefault><w:pPr><w:spacing w:after="120" w:line="300" w:lineRule="auto"/></w:pPr></w:pPrDefault>
</w:docDefaults>
<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style>
<w:style w:type="paragraph" w:styleId="Title"><w:name w:val="Title"/><w:basedOn w:val="Normal"/>
<w:pPr><w:jc w:val="center"/><w:spacing w:after="240"/></w:pPr>
<w:rPr><w:rFonts w:eastAsia="SimHei"/><w:b/><w:sz w:val="36"/><w:szCs w:val="36"/></w:rPr></w:style>
<w:style w:type="paragraph" w:styleId="Heading1"><w:name w:val="heading 1"/><w:basedOn w:val="Normal"/>
<w:pPr><w:keepNext/><w:spacing w:before="240" w:after="120"/><w:outlineLvl w:val="0"/></w:pPr>
<w:rPr><w:rFonts w:eastAsia="SimHei"/><w:b/><w:sz w:val="28"/><w:szCs w:val="28"/></w:rPr></w:style>
<w:style w:type="paragraph" w:styleId="ListBullet"><w:name w:val="List Bullet"/><w:basedOn w:val="Normal"/>
<w:pPr><w:ind w:left="420" w:hanging="420"/></w:pPr></w:style>
</w:styles>"""


def paragraph(kind, text):
    style = {"title": "Title", "h1": "Heading1", "bullet": "ListBullet", "p": None}[kind]
    if kind == "bullet":
        text = "• " + text
    props = f'<w:pPr><w:pStyle w:val="{style}"/></w:pPr>' if style else ""
    return f'<w:p>{props}<w:r><w:t xml:space="preserve">{escape(text)}</w:t></w:r></w:p>'


def document(blocks):
    body = "".join(paragraph(kind, text) for kind, text in blocks)
    section = ('<w:sectPr><w:pgSz w:w="11906" w:h="16838"/>'
               '<w:pgMar w:top="1440" w:right="1440" w:bottom="1440" w:left="1440" '
               'w:header="851" w:footer="992" w:gutter="0"/></w:sectPr>')
    return (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            f"<w:document {W}><w:body>{body}{section}</w:body></w:document>")


def core(title):
    return f"""<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties" xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:dcterms="http://purl.org/dc/terms/" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<dc:title>{escape(title)}</dc:title><dc:creator>Tablewise</dc:creator><dc:language>zh-CN</dc:language>
</cp:coreProperties>"""


APP = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"><Application>Tablewise 3.0</Application></Properties>"""


def write(name, blocks):
    parts = [
        ("[Content_Types].xml", CONTENT_TYPES),
        ("_rels/.rels", ROOT_RELS),
        ("docProps/core.xml", core(blocks[0][1])),
        ("docProps/app.xml", APP),
        ("word/_rels/document.xml.rels", DOCUMENT_RELS),
        ("word/styles.xml", STYLES),
        ("word/document.xml", document(blocks)),
    ]
    with zipfile.ZipFile(os.path.join(OUT, name), "w", zipfile.ZIP_DEFLATED) as z:
        for path, text in parts:
            info = zipfile.ZipInfo(path, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, text.encode("utf-8"))


os.makedirs(OUT, exist_ok=True)
write("tutorial.docx", TUTORIAL)
write("printing.docx", PRINTING)
