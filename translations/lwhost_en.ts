<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>GU::CAutoExpandToolBar</name>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
</context>
<context>
    <name>GU::CBaseHighPerformanceTable</name>
    <message>
        <source>共 %1 条</source>
        <translation>%1 rows</translation>
    </message>
</context>
<context>
    <name>GU::CButtonStyle</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t Save</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>重试</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>忽略</source>
        <translation>Ignore</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Abort</translation>
    </message>
</context>
<context>
    <name>GU::CSearchTextLineEdit</name>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>GU::CSoftCalendarLineEdit</name>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>选择日期</source>
        <translation>Choose a date</translation>
    </message>
</context>
<context>
    <name>GU::CStandardHpfTable</name>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>导出.csv</source>
        <translation>export.csv</translation>
    </message>
    <message>
        <source>显示列</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>恢复默认列</source>
        <translation>Restore default columns</translation>
    </message>
</context>
<context>
    <name>GU::NumberFormat</name>
    <message>
        <source>非法值</source>
        <translation>Invalid</translation>
    </message>
</context>
<context>
    <name>LW::CHpfRecordModel</name>
    <message>
        <source>市场</source>
        <translation>Market</translation>
    </message>
    <message>
        <source>债券代码</source>
        <translation>Bond code</translation>
    </message>
    <message>
        <source>债券类型</source>
        <translation>Bond type</translation>
    </message>
    <message>
        <source>交易方式</source>
        <translation>Trading method</translation>
    </message>
    <message>
        <source>质押代码</source>
        <translation>Pledge code</translation>
    </message>
    <message>
        <source>折算率</source>
        <translation>Conversion rate</translation>
    </message>
    <message>
        <source>最小交易量</source>
        <translation>Min trade size</translation>
    </message>
    <message>
        <source>交易状态</source>
        <translation>Trading status</translation>
    </message>
    <message>
        <source>到期日</source>
        <translation>Maturity date</translation>
    </message>
</context>
<context>
    <name>LW::ITradeDockableWidget</name>
    <message>
        <source>代码列表</source>
        <translation>Instrument list</translation>
    </message>
    <message>
        <source>债券信息</source>
        <translation>Bond info</translation>
    </message>
</context>
<context>
    <name>LW::InterBankTexts</name>
    <message>
        <source>附息</source>
        <translation>Coupon-bearing</translation>
    </message>
    <message>
        <source>贴现</source>
        <translation>Discount</translation>
    </message>
    <message>
        <source>到期一次还本付息</source>
        <translation>Principal and interest at maturity</translation>
    </message>
    <message>
        <source>零息</source>
        <translation>Zero coupon</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>固定利率</source>
        <translation>Fixed rate</translation>
    </message>
    <message>
        <source>浮动利率</source>
        <translation>Floating rate</translation>
    </message>
    <message>
        <source>累进利率</source>
        <translation>Step-up rate</translation>
    </message>
</context>
<context>
    <name>mxservice::CDataCenter</name>
    <message>
        <source>美元</source>
        <translation>US dollar</translation>
    </message>
    <message>
        <source>人民币</source>
        <translation>Renminbi</translation>
    </message>
    <message>
        <source>离岸人民币</source>
        <translation>Offshore renminbi</translation>
    </message>
    <message>
        <source>港币</source>
        <translation>Hong Kong dollar</translation>
    </message>
    <message>
        <source>欧元</source>
        <translation>Euro</translation>
    </message>
    <message>
        <source>日元</source>
        <translation>Japanese yen</translation>
    </message>
    <message>
        <source>英镑</source>
        <translation>Pound sterling</translation>
    </message>
    <message>
        <source>新加坡元</source>
        <translation>Singapore dollar</translation>
    </message>
    <message>
        <source>澳元</source>
        <translation>Australian dollar</translation>
    </message>
    <message>
        <source>加元</source>
        <translation>Canadian dollar</translation>
    </message>
    <message>
        <source>瑞士法郎</source>
        <translation>Swiss franc</translation>
    </message>
    <message>
        <source>美分</source>
        <translation>US cent</translation>
    </message>
</context>
</TS>
