<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>LW::CBondInfoPanel</name>
    <message>
        <source>应计利息</source>
        <translation>Accrued interest</translation>
    </message>
    <message>
        <source>计价方式</source>
        <translation>Pricing method</translation>
    </message>
    <message>
        <source>合约名称</source>
        <translation>Contract name</translation>
    </message>
    <message>
        <source>净价</source>
        <translation>Clean price</translation>
    </message>
    <message>
        <source>全价</source>
        <translation>Full price</translation>
    </message>
</context>
<context>
    <name>LW::CColumnCatalogue</name>
    <message>
        <source>添加自选</source>
        <translation>Add to watchlist</translation>
    </message>
    <message>
        <source>市场代码</source>
        <translation>Market</translation>
    </message>
    <message>
        <source>股票代码</source>
        <translation>Stock code</translation>
    </message>
    <message>
        <source>股票名称</source>
        <translation>Stock name</translation>
    </message>
    <message>
        <source>最小价格</source>
        <translation>Tick size</translation>
    </message>
    <message>
        <source>昨收盘</source>
        <translation>Prev. close</translation>
    </message>
    <message>
        <source>涨停价</source>
        <translation>Limit up</translation>
    </message>
    <message>
        <source>跌停价</source>
        <translation>Limit down</translation>
    </message>
    <message>
        <source>前结算</source>
        <translation>Prev. settle</translation>
    </message>
    <message>
        <source>是否为双转单</source>
        <translation>Bilateral to unilateral</translation>
    </message>
    <message>
        <source>实际占款天数</source>
        <translation>Actual funding days</translation>
    </message>
    <message>
        <source>流通股本</source>
        <translation>Float shares</translation>
    </message>
    <message>
        <source>总股本</source>
        <translation>Total shares</translation>
    </message>
    <message>
        <source>尚未盈利</source>
        <translation>Not yet profitable</translation>
    </message>
    <message>
        <source>存在投票权差异</source>
        <translation>Weighted voting rights</translation>
    </message>
    <message>
        <source>面值</source>
        <translation>Par value</translation>
    </message>
    <message>
        <source>应计利息</source>
        <translation>Accrued interest</translation>
    </message>
    <message>
        <source>计价方式</source>
        <translation>Pricing method</translation>
    </message>
    <message>
        <source>合约代码</source>
        <translation>Contract code</translation>
    </message>
    <message>
        <source>合约名称</source>
        <translation>Contract name</translation>
    </message>
    <message>
        <source>品种代码</source>
        <translation>Product code</translation>
    </message>
    <message>
        <source>交易所代码</source>
        <translation>Exchange code</translation>
    </message>
    <message>
        <source>交易所名称</source>
        <translation>Exchange</translation>
    </message>
    <message>
        <source>合约乘数</source>
        <translation>Multiplier</translation>
    </message>
    <message>
        <source>最后日期</source>
        <translation>Last date</translation>
    </message>
    <message>
        <source>多头保证金率</source>
        <translation>Long margin rate</translation>
    </message>
    <message>
        <source>空头保证金率</source>
        <translation>Short margin rate</translation>
    </message>
    <message>
        <source>手续费收取方式</source>
        <translation>Fee basis</translation>
    </message>
    <message>
        <source>开仓手续费率</source>
        <translation>Open fee rate</translation>
    </message>
    <message>
        <source>开仓手续费</source>
        <translation>Open fee</translation>
    </message>
    <message>
        <source>平仓手续费率</source>
        <translation>Close fee rate</translation>
    </message>
    <message>
        <source>平仓手续费</source>
        <translation>Close fee</translation>
    </message>
    <message>
        <source>日内开仓手续费率</source>
        <translation>Intraday open fee rate</translation>
    </message>
    <message>
        <source>日内开仓手续费</source>
        <translation>Intraday open fee</translation>
    </message>
    <message>
        <source>日内平仓手续费率</source>
        <translation>Intraday close fee rate</translation>
    </message>
    <message>
        <source>日内平仓手续费</source>
        <translation>Intraday close fee</translation>
    </message>
    <message>
        <source>单笔最大手数</source>
        <translation>Max lots per order</translation>
    </message>
    <message>
        <source>市场</source>
        <translation>Market</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>标的代码</source>
        <translation>Underlying</translation>
    </message>
    <message>
        <source>合约单位</source>
        <translation>Contract unit</translation>
    </message>
    <message>
        <source>保证金单位</source>
        <translation>Margin per unit</translation>
    </message>
    <message>
        <source>行权价格</source>
        <translation>Strike price</translation>
    </message>
    <message>
        <source>市价买入单笔最大量</source>
        <translation>Max market buy qty</translation>
    </message>
    <message>
        <source>限价买入单笔最大量</source>
        <translation>Max limit buy qty</translation>
    </message>
    <message>
        <source>市价卖出单笔最大量</source>
        <translation>Max market sell qty</translation>
    </message>
    <message>
        <source>限价卖出单笔最大量</source>
        <translation>Max limit sell qty</translation>
    </message>
    <message>
        <source>品种名称</source>
        <translation>Product name</translation>
    </message>
    <message>
        <source>到期日</source>
        <translation>Expiry date</translation>
    </message>
    <message>
        <source>交割日</source>
        <translation>Delivery date</translation>
    </message>
    <message>
        <source>币种</source>
        <translation>Currency</translation>
    </message>
    <message>
        <source>计价单位</source>
        <translation>Pricing unit</translation>
    </message>
    <message>
        <source>合约市场</source>
        <translation>Market</translation>
    </message>
    <message>
        <source>合约类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>基金类型</source>
        <translation>Fund type</translation>
    </message>
    <message>
        <source>昨日单位净值</source>
        <translation>Prev. NAV</translation>
    </message>
    <message>
        <source>申赎状态</source>
        <translation>Subscription status</translation>
    </message>
    <message>
        <source>最高申购金额</source>
        <translation>Max subscription</translation>
    </message>
    <message>
        <source>最低申购金额</source>
        <translation>Min subscription</translation>
    </message>
    <message>
        <source>赎回交收天数</source>
        <translation>Redemption settlement days</translation>
    </message>
    <message>
        <source>最低赎回份额</source>
        <translation>Min redemption units</translation>
    </message>
    <message>
        <source>分红方式</source>
        <translation>Dividend option</translation>
    </message>
    <message>
        <source>是否支持转换</source>
        <translation>Switching allowed</translation>
    </message>
    <message>
        <source>所属TA</source>
        <translation>Transfer agent</translation>
    </message>
    <message>
        <source>管理人</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>近期披露净值</source>
        <translation>Latest published NAV</translation>
    </message>
    <message>
        <source>交易市场</source>
        <translation>Trading market</translation>
    </message>
    <message>
        <source>银行间债券代码</source>
        <translation>Interbank code</translation>
    </message>
    <message>
        <source>银行间债券名称</source>
        <translation>Interbank name</translation>
    </message>
    <message>
        <source>上交所代码</source>
        <translation>SSE code</translation>
    </message>
    <message>
        <source>上交所名称</source>
        <translation>SSE name</translation>
    </message>
    <message>
        <source>深交所代码</source>
        <translation>SZSE code</translation>
    </message>
    <message>
        <source>深交所名称</source>
        <translation>SZSE name</translation>
    </message>
    <message>
        <source>发行日期</source>
        <translation>Issue date</translation>
    </message>
    <message>
        <source>结束日期</source>
        <translation>End date</translation>
    </message>
    <message>
        <source>原始起息日期</source>
        <translation>Original value date</translation>
    </message>
    <message>
        <source>交易截止日期</source>
        <translation>Last trading date</translation>
    </message>
    <message>
        <source>期限</source>
        <translation>Term</translation>
    </message>
    <message>
        <source>发行价</source>
        <translation>Issue price</translation>
    </message>
    <message>
        <source>面额</source>
        <translation>Face value</translation>
    </message>
    <message>
        <source>当前面额</source>
        <translation>Current face value</translation>
    </message>
    <message>
        <source>付息类型</source>
        <translation>Coupon type</translation>
    </message>
    <message>
        <source>利率类型</source>
        <translation>Rate type</translation>
    </message>
    <message>
        <source>票面利率(%)</source>
        <translation>Coupon rate (%)</translation>
    </message>
    <message>
        <source>年付息次数</source>
        <translation>Coupons per year</translation>
    </message>
    <message>
        <source>计息天数</source>
        <translation>Accrual days</translation>
    </message>
    <message>
        <source>前收净价</source>
        <translation>Prev. clean close</translation>
    </message>
    <message>
        <source>最大单笔量</source>
        <translation>Max order size</translation>
    </message>
    <message>
        <source>债券代码</source>
        <translation>Bond code</translation>
    </message>
    <message>
        <source>债券简称</source>
        <translation>Bond short name</translation>
    </message>
    <message>
        <source>债券全称</source>
        <translation>Bond full name</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>执行状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>内部报量（亿）</source>
        <translation>Internal amount (100M)</translation>
    </message>
    <message>
        <source>外部报量（亿）</source>
        <translation>External amount (100M)</translation>
    </message>
    <message>
        <source>中标量（亿）</source>
        <translation>Winning amount (100M)</translation>
    </message>
    <message>
        <source>交易员</source>
        <translation>Trader</translation>
    </message>
    <message>
        <source>主承销商</source>
        <translation>Lead underwriter</translation>
    </message>
    <message>
        <source>上市代码</source>
        <translation>Listing code</translation>
    </message>
    <message>
        <source>认购代码</source>
        <translation>Subscription code</translation>
    </message>
    <message>
        <source>债券类型</source>
        <translation>Bond type</translation>
    </message>
    <message>
        <source>债券类型细分</source>
        <translation>Bond subtype</translation>
    </message>
    <message>
        <source>预交易市场</source>
        <translation>Pre-trading market</translation>
    </message>
    <message>
        <source>是否跨市场</source>
        <translation>Cross-market</translation>
    </message>
    <message>
        <source>发行方式</source>
        <translation>Issue method</translation>
    </message>
    <message>
        <source>发行人名称</source>
        <translation>Issuer</translation>
    </message>
    <message>
        <source>发行人代码</source>
        <translation>Issuer code</translation>
    </message>
    <message>
        <source>发行人属性</source>
        <translation>Issuer nature</translation>
    </message>
    <message>
        <source>发行人类型</source>
        <translation>Issuer type</translation>
    </message>
    <message>
        <source>所属行业</source>
        <translation>Industry</translation>
    </message>
    <message>
        <source>发行参考利率</source>
        <translation>Reference rate</translation>
    </message>
    <message>
        <source>发行对象</source>
        <translation>Eligible investors</translation>
    </message>
    <message>
        <source>计划发行总额</source>
        <translation>Planned size</translation>
    </message>
    <message>
        <source>实际募集金额</source>
        <translation>Amount raised</translation>
    </message>
    <message>
        <source>预期年收益率</source>
        <translation>Expected annual yield</translation>
    </message>
    <message>
        <source>募集方式</source>
        <translation>Offering method</translation>
    </message>
    <message>
        <source>期限（天）</source>
        <translation>Term (days)</translation>
    </message>
    <message>
        <source>期限（年）</source>
        <translation>Term (years)</translation>
    </message>
    <message>
        <source>招标方式</source>
        <translation>Tender method</translation>
    </message>
    <message>
        <source>招标标的</source>
        <translation>Bid on</translation>
    </message>
    <message>
        <source>标位区间下限</source>
        <translation>Bid range low</translation>
    </message>
    <message>
        <source>标位区间上限</source>
        <translation>Bid range high</translation>
    </message>
    <message>
        <source>步长</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>基本投标单位</source>
        <translation>Basic bid unit</translation>
    </message>
    <message>
        <source>每标位最低投标量</source>
        <translation>Min amount per bid</translation>
    </message>
    <message>
        <source>每标位最高投标量</source>
        <translation>Max amount per bid</translation>
    </message>
    <message>
        <source>主体评级</source>
        <translation>Issuer rating</translation>
    </message>
    <message>
        <source>债项评级</source>
        <translation>Issue rating</translation>
    </message>
    <message>
        <source>是否城投债</source>
        <translation>LGFV bond</translation>
    </message>
    <message>
        <source>担保人</source>
        <translation>Guarantor</translation>
    </message>
    <message>
        <source>招标日</source>
        <translation>Tender date</translation>
    </message>
    <message>
        <source>招标结束日</source>
        <translation>Tender end date</translation>
    </message>
    <message>
        <source>发行起始日</source>
        <translation>Issue start date</translation>
    </message>
    <message>
        <source>发行终止日</source>
        <translation>Issue end date</translation>
    </message>
    <message>
        <source>缴款日</source>
        <translation>Payment date</translation>
    </message>
    <message>
        <source>起息日</source>
        <translation>Value date</translation>
    </message>
    <message>
        <source>上市日</source>
        <translation>Listing date</translation>
    </message>
</context>
<context>
    <name>LW::CHpfInsTable</name>
    <message>
        <source>添加自选</source>
        <translation>Add to watchlist</translation>
    </message>
</context>
<context>
    <name>LW::CInstrumentsPanel</name>
    <message>
        <source>查询开始时间和结束时间设置有误</source>
        <translation>The search&apos;s start and end dates are not valid</translation>
    </message>
    <message>
        <source>股票列表</source>
        <translation>Stock list</translation>
    </message>
    <message>
        <source>合约列表</source>
        <translation>Contract list</translation>
    </message>
    <message>
        <source>债券列表</source>
        <translation>Bond list</translation>
    </message>
    <message>
        <source>代码列表</source>
        <translation>Instrument list</translation>
    </message>
</context>
<context>
    <name>LW::CQuickSearchModel</name>
    <message>
        <source>代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>市场</source>
        <translation>Market</translation>
    </message>
    <message>
        <source>列表</source>
        <translation>List</translation>
    </message>
</context>
<context>
    <name>LW::CQuickSearchPopup</name>
    <message>
        <source>正在建立索引…</source>
        <translation>Building the index…</translation>
    </message>
    <message>
        <source>最近选择  ↑↓ 选择  回车确认  Esc 关闭</source>
        <translation>Recent picks  ↑↓ choose  Enter picks  Esc closes</translation>
    </message>
    <message>
        <source>输入代码、名称或拼音首字母</source>
        <translation>Type a code, a name or pinyin initials</translation>
    </message>
    <message>
        <source>没有匹配的品种</source>
        <translation>No matching instrument</translation>
    </message>
    <message>
        <source>%1 个匹配  ↑↓ 选择  回车确认  Esc 关闭</source>
        <translation>%1 matches  ↑↓ choose  Enter picks  Esc closes</translation>
    </message>
    <message>
        <source>快速搜索</source>
        <translation>Quick search</translation>
    </message>
    <message>
        <source>搜索文本</source>
        <translation>Search text</translation>
    </message>
    <message>
        <source>代码、名称或拼音</source>
        <translation>Code, name or pinyin</translation>
    </message>
    <message>
        <source>匹配的品种</source>
        <translation>Matching instruments</translation>
    </message>
</context>
<context>
    <name>LW::CTenderModel</name>
    <message>
        <source>锁定</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Revoke</translation>
    </message>
    <message>
        <source>解锁</source>
        <translation>Unlock</translation>
    </message>
</context>
<context>
    <name>LW::CTenderSearchBar</name>
    <message>
        <source>查询: </source>
        <translation>Search: </translation>
    </message>
    <message>
        <source>开始时间</source>
        <translation>From</translation>
    </message>
    <message>
        <source>结束时间</source>
        <translation>To</translation>
    </message>
    <message>
        <source>请输入内容, 按Enter键查询</source>
        <translation>Press Enter to search</translation>
    </message>
    <message>
        <source>仅显示有内部报量债券</source>
        <translation>Internal amounts only</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>招标日</source>
        <translation>Tender date</translation>
    </message>
    <message>
        <source>招标结束日</source>
        <translation>Tender end date</translation>
    </message>
    <message>
        <source>发行起始日</source>
        <translation>Issue start date</translation>
    </message>
    <message>
        <source>发行终止日</source>
        <translation>Issue end date</translation>
    </message>
    <message>
        <source>起息日</source>
        <translation>Value date</translation>
    </message>
    <message>
        <source>缴款日</source>
        <translation>Payment date</translation>
    </message>
    <message>
        <source>上市日</source>
        <translation>Listing date</translation>
    </message>
    <message>
        <source>债券代码</source>
        <translation>Bond code</translation>
    </message>
    <message>
        <source>债券简称</source>
        <translation>Bond short name</translation>
    </message>
    <message>
        <source>债券全称</source>
        <translation>Bond full name</translation>
    </message>
    <message>
        <source>交易员</source>
        <translation>Trader</translation>
    </message>
    <message>
        <source>债券类型</source>
        <translation>Bond type</translation>
    </message>
    <message>
        <source>债券类型细分</source>
        <translation>Bond subtype</translation>
    </message>
    <message>
        <source>主承销商</source>
        <translation>Lead underwriter</translation>
    </message>
    <message>
        <source>预交易市场</source>
        <translation>Pre-trading market</translation>
    </message>
    <message>
        <source>发行人名称</source>
        <translation>Issuer</translation>
    </message>
    <message>
        <source>发行人属性</source>
        <translation>Issuer nature</translation>
    </message>
    <message>
        <source>所属行业</source>
        <translation>Industry</translation>
    </message>
    <message>
        <source>招标标的</source>
        <translation>Bid on</translation>
    </message>
    <message>
        <source>招标方式</source>
        <translation>Tender method</translation>
    </message>
</context>
<context>
    <name>LW::CTenderWorkflow</name>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>解锁后重新锁定,执行投标内部报量和外部报量数据将会重置,确定解锁?</source>
        <translation>Locking again after unlocking resets the internal and external amounts reported for this tender. Unlock?</translation>
    </message>
</context>
<context>
    <name>LW::CellFormat</name>
    <message>
        <source>暂无</source>
        <translation>N/A</translation>
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
        <source>净价</source>
        <translation>Clean price</translation>
    </message>
    <message>
        <source>全价</source>
        <translation>Full price</translation>
    </message>
    <message>
        <source>按手数收取(元/手)</source>
        <translation>Per lot (CNY/lot)</translation>
    </message>
    <message>
        <source>按金额收取(万分之)</source>
        <translation>By turnover (per 10,000)</translation>
    </message>
    <message>
        <source>/万</source>
        <translation> bp</translation>
    </message>
    <message>
        <source>元/手</source>
        <translation> CNY/lot</translation>
    </message>
    <message>
        <source>本币市场</source>
        <translation>Local currency market</translation>
    </message>
    <message>
        <source>审批中</source>
        <translation>Approving</translation>
    </message>
    <message>
        <source>运行中</source>
        <translation>Running</translation>
    </message>
    <message>
        <source>已撤销</source>
        <translation>Revoked</translation>
    </message>
    <message>
        <source>已完成</source>
        <translation>Completed</translation>
    </message>
    <message>
        <source>锁定中</source>
        <translation>Locked</translation>
    </message>
</context>
<context>
    <name>LW::InstrumentTag</name>
    <message>
        <source>退市整理股票</source>
        <translation>Stock in delisting arrangement</translation>
    </message>
    <message>
        <source>创新层股票</source>
        <translation>NEEQ innovation tier stock</translation>
    </message>
    <message>
        <source>基础层股票</source>
        <translation>NEEQ basic tier stock</translation>
    </message>
    <message>
        <source>北交所股票</source>
        <translation>Beijing Stock Exchange stock</translation>
    </message>
    <message>
        <source>此品种仅面向债券专业投资者</source>
        <translation>For professional bond investors only</translation>
    </message>
    <message>
        <source>创业板</source>
        <translation>ChiNext board</translation>
    </message>
    <message>
        <source>科创板存托凭证</source>
        <translation>STAR Market depositary receipt</translation>
    </message>
    <message>
        <source>存托凭证</source>
        <translation>Depositary receipt</translation>
    </message>
    <message>
        <source>科创板</source>
        <translation>STAR Market</translation>
    </message>
    <message>
        <source>创新企业股票</source>
        <translation>Innovative enterprise stock</translation>
    </message>
</context>
</TS>
